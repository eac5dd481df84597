#include "DesenhoCalibrador.h"

#include <QBuffer>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <cstring>

#include "CalibracaoEsferas.h"
#include "TextFile.h"

namespace zv {
namespace {

const QColor kFundo(236, 236, 232);
const QColor kCorpo(92, 96, 104);
const QColor kDestaque(255, 196, 0);
const QColor kMarca(24, 160, 60);

// Screen angle of sphere 1..4 on the turret before it turns: sphere 1 faces the camera (below
// the turret), the others follow clockwise as seen from above.
double AnguloBase(int esfera) {
  return 90.0 + (esfera - 1) * 90.0;
}

// Spheres of larger radius are drawn a little larger.
double RaioDesenho(int esfera, double escala) {
  return escala * (18.0 + (kRaiosEsferas[esfera - 1] - kRaiosEsferas[0]) * 6.0);
}

void DesenhaEsfera(QPainter& p, QPointF centro, double raio, bool destaque) {
  if (destaque) {
    p.setPen(QPen(kDestaque, 4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centro, raio + 5, raio + 5);
  }
  QRadialGradient brilho(centro - QPointF(raio / 3, raio / 3), raio * 1.4);
  brilho.setColorAt(0, QColor(250, 252, 255));
  brilho.setColorAt(0.35, QColor(150, 170, 200));
  brilho.setColorAt(1, QColor(40, 52, 80));
  p.setPen(QPen(QColor(30, 30, 40), 1));
  p.setBrush(brilho);
  p.drawEllipse(centro, raio, raio);
}

void DesenhaMarca(QPainter& p, QPointF centro) {
  p.setPen(Qt::NoPen);
  p.setBrush(kMarca);
  p.drawEllipse(centro, 9, 9);
  p.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QPainterPath v;
  v.moveTo(centro + QPointF(-4.5, 0));
  v.lineTo(centro + QPointF(-1, 4));
  v.lineTo(centro + QPointF(5, -4));
  p.setBrush(Qt::NoBrush);
  p.drawPath(v);
}

void Rotulo(QPainter& p, QPointF centro, const QString& texto, int pixels) {
  QFont f = p.font();
  f.setPixelSize(pixels);
  p.setFont(f);
  p.setPen(QColor(20, 20, 20));
  const QRectF caixa(centro.x() - 40, centro.y() - pixels, 80, 2 * pixels);
  p.drawText(caixa, Qt::AlignCenter, texto);
}

QPointF PosicaoNaTorre(QPointF centro, double distancia, double anguloGraus) {
  const double a = qDegreesToRadians(anguloGraus);
  return centro + QPointF(distancia * std::cos(a), distancia * std::sin(a));
}

// The turret from above, turned by `rotacao` degrees; `camera` marks the camera's place below
// it (the animation shows which sphere faces the camera; the calibrator picture does not turn).
void DesenhaTorre(QPainter& p, QPointF centro, double raioDisco, double rotacao,
                  const EstadoDesenho* estado, bool camera) {
  const double escala = raioDisco / 90.0;
  p.setPen(QPen(QColor(40, 40, 48), 2));
  p.setBrush(kCorpo);
  p.drawEllipse(centro, raioDisco, raioDisco);
  p.setBrush(QColor(60, 62, 70));
  p.drawEllipse(centro, 10 * escala, 10 * escala);
  if (camera) {
    // The camera's window, where the sphere being measured stands.
    QPolygonF janela;
    const QPointF base = centro + QPointF(0, raioDisco + 3);
    janela << base << base + QPointF(-9 * escala, 12 * escala)
           << base + QPointF(9 * escala, 12 * escala);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 40, 40));
    p.drawPolygon(janela);
  }
  for (int s = 1; s <= 4; ++s) {
    const QPointF c = PosicaoNaTorre(centro, 58 * escala, AnguloBase(s) + rotacao);
    if (estado && !estado->esferasVisiveis) continue;
    DesenhaEsfera(p, c, RaioDesenho(s, escala), estado && estado->atual == s);
    Rotulo(p, c, QString::number(s), static_cast<int>(14 * escala));
  }
}

}  // namespace

QRgb CorMarca() {
  return kMarca.rgb();
}

QPoint CentroEsfera(int tipo, int esfera) {
  if (tipo == kCalibrador1) return QPoint(52 + (esfera - 1) * 79, 92);
  return PosicaoNaTorre(QPointF(170, 100), 58, AnguloBase(esfera)).toPoint();
}

QPoint CentroMarca(int tipo, int esfera) {
  return CentroEsfera(tipo, esfera) + QPoint(24, -24);
}

QImage DesenhaCalibrador(const EstadoDesenho& estado) {
  QImage img(kLarguraCalibrador, kAlturaCalibrador, QImage::Format_RGB32);
  img.fill(kFundo);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  if (estado.tipo == kCalibrador1) {
    // Four spheres side by side on one holder.
    p.setPen(QPen(QColor(40, 40, 48), 2));
    p.setBrush(kCorpo);
    p.drawRoundedRect(QRectF(14, 116, 312, 26), 6, 6);
    for (int s = 1; s <= 4; ++s) {
      const QPointF c = CentroEsfera(kCalibrador1, s);
      p.setBrush(QColor(70, 72, 80));
      p.setPen(Qt::NoPen);
      p.drawRect(QRectF(c.x() - 6, c.y() + 12, 12, 14));
      if (estado.esferasVisiveis) DesenhaEsfera(p, c, RaioDesenho(s, 1.0), estado.atual == s);
      Rotulo(p, c + QPointF(0, 66), QString::fromStdString(TextoRaio(s, '.') + " mm"), 12);
      Rotulo(p, c + QPointF(0, 0), QString::number(s), 14);
    }
  } else {
    DesenhaTorre(p, QPointF(170, 100), 90, 0, &estado, false);
  }
  if (estado.esferasVisiveis) {
    for (int s = 1; s <= 4; ++s)
      if (estado.feitas[s - 1]) DesenhaMarca(p, CentroMarca(estado.tipo, s));
  }
  return img;
}

Animacao AnimacaoTorre(int de, int para) {
  Animacao a;
  a.intervaloMs = 40;
  const int quadros = 25;
  const double volta = -(para - de) * 90.0;
  for (int i = 0; i < quadros; ++i) {
    const double t = static_cast<double>(i) / (quadros - 1);
    const double suave = t * t * (3 - 2 * t);
    QImage img(kLadoAnimacao, kLadoAnimacao, QImage::Format_RGB32);
    img.fill(kFundo);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    EstadoDesenho estado;
    estado.atual = i == quadros - 1 ? para : 0;
    const double rotacao = -AnguloBase(de) + 90.0 + volta * suave;
    DesenhaTorre(p, QPointF(kLadoAnimacao / 2.0, kLadoAnimacao / 2.0 - 8), 66, rotacao, &estado,
                 true);
    p.end();
    a.quadros.push_back(img);
  }
  return a;
}

namespace {

constexpr char kAssinatura[8] = {'Z', 'V', 'A', 'N', 'I', 'M', '1', '\0'};

void Poe32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

bool Tira32(const std::string& in, size_t& pos, uint32_t& v) {
  if (pos + 4 > in.size()) return false;
  v = 0;
  for (int i = 0; i < 4; ++i)
    v |= static_cast<uint32_t>(static_cast<unsigned char>(in[pos + i])) << (8 * i);
  pos += 4;
  return true;
}

}  // namespace

void GravaAnimacao(const std::string& path, const Animacao& animacao) {
  std::string out(kAssinatura, sizeof kAssinatura);
  Poe32(out, static_cast<uint32_t>(animacao.intervaloMs));
  Poe32(out, static_cast<uint32_t>(animacao.quadros.size()));
  for (const QImage& q : animacao.quadros) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    q.save(&buffer, "PNG");
    Poe32(out, static_cast<uint32_t>(png.size()));
    out.append(png.constData(), static_cast<size_t>(png.size()));
  }
  WriteFileAtomic(path, out);
}

std::optional<Animacao> LeAnimacao(const std::string& path) {
  if (!FileExists(path)) return std::nullopt;
  std::string in;
  try {
    in = ReadFileBytes(path);
  } catch (const std::exception&) {
    return std::nullopt;
  }
  if (in.size() < sizeof kAssinatura || std::memcmp(in.data(), kAssinatura, sizeof kAssinatura))
    return std::nullopt;
  size_t pos = sizeof kAssinatura;
  uint32_t intervalo = 0, quantos = 0;
  if (!Tira32(in, pos, intervalo) || !Tira32(in, pos, quantos) || intervalo == 0 ||
      intervalo > 10000)
    return std::nullopt;
  Animacao a;
  a.intervaloMs = static_cast<int>(intervalo);
  for (uint32_t i = 0; i < quantos; ++i) {
    uint32_t tamanho = 0;
    if (!Tira32(in, pos, tamanho) || tamanho > in.size() - pos) return std::nullopt;
    QImage q;
    if (!q.loadFromData(reinterpret_cast<const uchar*>(in.data() + pos), static_cast<int>(tamanho),
                        "PNG"))
      return std::nullopt;
    pos += tamanho;
    a.quadros.push_back(q);
  }
  return a;
}

void GravaAnimacoesTorre(const std::string& dir) {
  ForceDirectories(dir);
  for (const ArquivoAnimacao& f : kAnimacoesTorre)
    GravaAnimacao(JoinPath(dir, f.nome), AnimacaoTorre(f.de, f.para));
}

}  // namespace zv

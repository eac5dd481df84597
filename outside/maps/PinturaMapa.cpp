#include "PinturaMapa.h"

#include <QPainter>
#include <cmath>
#include <numbers>

namespace mapas {

namespace {

QColor CorQt(Cor c) {
  return QColor(c.r, c.g, c.b);
}

void DesenhaMarcas(QPainter& p, const Enquadramento& e) {
  const QPointF centro(e.lado / 2.0, e.lado / 2.0);
  const double escala = 1.0 / e.MmPorPontoFigura();
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255, 160), 1, Qt::DotLine));
  for (double diametro : {3.0, 5.0, 7.0})
    if (diametro / 2 <= e.raioMm)
      p.drawEllipse(centro, diametro / 2 * escala, diametro / 2 * escala);
  p.drawLine(QPointF(centro.x() - 6, centro.y()), QPointF(centro.x() + 6, centro.y()));
  p.drawLine(QPointF(centro.x(), centro.y() - 6), QPointF(centro.x(), centro.y() + 6));
  QFont fonte = p.font();
  fonte.setPixelSize(std::max(8, e.lado / 40));
  p.setFont(fonte);
  p.setPen(Qt::white);
  const double raio = e.lado / 2.0 - fonte.pixelSize();
  for (int angulo = 0; angulo < 360; angulo += 30) {
    // Clinical angles: counter-clockwise from the right, so up is 90.
    const double a = angulo * std::numbers::pi / 180.0;
    const QPointF pos(centro.x() + raio * std::cos(a), centro.y() - raio * std::sin(a));
    p.drawText(QRectF(pos.x() - 15, pos.y() - 8, 30, 16), Qt::AlignCenter, QString::number(angulo));
  }
}

}  // namespace

bool PontoDaGrade(const GradePotencia& grade, const Enquadramento& e, QPointF ponto, int& meridiano,
                  double& raioPx) {
  const double dx = ponto.x() - e.lado / 2.0, dy = ponto.y() - e.lado / 2.0;
  raioPx = std::hypot(dx, dy) * e.MmPorPontoFigura() / grade.mmPorPixel;
  meridiano = GradePotencia::MeridianoDaDirecao(std::atan2(dy, dx) * 180.0 / std::numbers::pi);
  return raioPx <= kRaioMaximoPx;
}

QImage PintaMapa(const GradePotencia& grade, const Escala& escala, const Enquadramento& e,
                 const std::array<int32_t, 4>& pupila, double cx, double cy) {
  QImage imagem(e.lado, e.lado, QImage::Format_RGB32);
  imagem.fill(Qt::black);
  for (int y = 0; y < e.lado; ++y) {
    auto* linha = reinterpret_cast<QRgb*>(imagem.scanLine(y));
    for (int x = 0; x < e.lado; ++x) {
      int m;
      double r;
      if (!PontoDaGrade(grade, e, QPointF(x + 0.5, y + 0.5), m, r)) continue;
      const double v = grade.Em(m, r);
      if (std::isfinite(v)) linha[x] = CorQt(escala.CorDe(v)).rgb();
    }
  }
  QPainter p(&imagem);
  DesenhaMarcas(p, e);
  if (pupila[2] > pupila[0] && pupila[3] > pupila[1]) {
    const double f = grade.mmPorPixel / e.MmPorPontoFigura();
    const QPointF canto(e.lado / 2.0 + (pupila[0] - cx) * f, e.lado / 2.0 + (pupila[1] - cy) * f);
    p.setPen(QPen(Qt::white, 1.5, Qt::DashLine));
    p.drawEllipse(QRectF(canto, QSizeF((pupila[2] - pupila[0]) * f, (pupila[3] - pupila[1]) * f)));
  }
  return imagem;
}

QImage PintaLegenda(const Escala& escala, int largura, int altura) {
  QImage imagem(largura, altura, QImage::Format_RGB32);
  imagem.fill(QColor(240, 240, 240));
  QPainter p(&imagem);
  const int n = escala.Niveis();
  const double h = double(altura - 4) / n;
  QFont fonte = p.font();
  fonte.setPixelSize(std::clamp(static_cast<int>(h * 0.8), 7, 12));
  p.setFont(fonte);
  for (int i = 0; i < n; ++i) {
    const double topo = 2 + (n - 1 - i) * h;
    const double limite = escala.inicio + i * escala.passo;
    p.fillRect(QRectF(2, topo, 22, h - 1), CorQt(escala.cores[static_cast<size_t>(i)]));
    p.setPen(Qt::black);
    p.drawText(
        QRectF(28, topo, largura - 30, h), Qt::AlignLeft | Qt::AlignVCenter,
        QString("%1  %2").arg(limite, 5, 'f', 2).arg(kConstanteCeratometrica / limite, 0, 'f', 2));
  }
  return imagem;
}

QImage PintaMiniatura(const GradePotencia& grade, const Escala& escala) {
  QImage imagem(200, 150, QImage::Format_RGB32);
  imagem.fill(Qt::black);
  QPainter p(&imagem);
  if (grade.Vazia()) {
    p.setPen(Qt::white);
    p.drawText(imagem.rect(), Qt::AlignCenter, "Sem dados");
    return imagem;
  }
  Enquadramento e;
  e.lado = 150;
  p.drawImage(0, 0, PintaMapa(grade, escala, e));
  const int n = escala.Niveis();
  const double h = 146.0 / n;
  for (int i = 0; i < n; ++i)
    p.fillRect(QRectF(160, 2 + (n - 1 - i) * h, 14, h),
               CorQt(escala.cores[static_cast<size_t>(i)]));
  QFont fonte = p.font();
  fonte.setPixelSize(9);
  p.setFont(fonte);
  p.setPen(Qt::white);
  p.drawText(QRectF(176, 0, 24, 12), Qt::AlignLeft,
             QString::number(escala.inicio + n * escala.passo, 'f', 0));
  p.drawText(QRectF(176, 138, 24, 12), Qt::AlignLeft, QString::number(escala.inicio, 'f', 0));
  return imagem;
}

QString LeituraDoPonto(const GradePotencia& grade, const Enquadramento& e, QPointF ponto) {
  int m;
  double r;
  if (!PontoDaGrade(grade, e, ponto, m, r)) return {};
  const double v = grade.Em(m, r);
  if (!std::isfinite(v)) return {};
  return QString("%1 D   %2 mm   r %3 mm   %4°")
      .arg(v, 0, 'f', 2)
      .arg(kConstanteCeratometrica / v, 0, 'f', 2)
      .arg(r * grade.mmPorPixel, 0, 'f', 2)
      .arg(static_cast<int>(std::lround(AnguloClinico(m))) % 360);
}

}  // namespace mapas

#include "ImagemStream.h"

#include <QBuffer>
#include <QByteArray>

#include "Streams.h"

namespace zv {

QImage LeBitmap(TZVStream* stream, std::string& motivo) {
  if (!stream) {
    motivo = "Nenhuma imagem foi recebida.";
    return {};
  }
  const std::string bytes = StreamReadAll(stream);
  if (bytes.empty()) {
    motivo = "A imagem recebida está vazia.";
    return {};
  }
  QImage imagem;
  if (!imagem.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                           static_cast<int>(bytes.size()), "BMP")) {
    motivo = "A imagem recebida não é um bitmap.";
    return {};
  }
  return imagem;
}

QImage LeBitmapDoTamanho(TZVStream* stream, int largura, int altura, std::string& motivo) {
  QImage imagem = LeBitmap(stream, motivo);
  if (imagem.isNull()) return imagem;
  if (imagem.width() != largura || imagem.height() != altura) {
    motivo = "A imagem recebida tem " + std::to_string(imagem.width()) + " x " +
             std::to_string(imagem.height()) + " pixels; são esperados " + std::to_string(largura) +
             " x " + std::to_string(altura) + ".";
    return {};
  }
  return imagem;
}

void SubstituiConteudo(TZVStream* stream, std::string_view bytes) {
  if (!stream) return;
  StreamRewind(stream);
  StreamWrite(stream, bytes);
  stream->SetSize(stream->context, stream->Seek(stream->context, 0, ZV_SEEK_CURRENT));
}

bool GravaBitmap(TZVStream* stream, const QImage& imagem) {
  if (!stream || imagem.isNull()) return false;
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!imagem.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP")) return false;
  SubstituiConteudo(stream, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
  return true;
}

}  // namespace zv

#include "UBImagens.h"

#include <QBuffer>

#include "Errors.h"
#include "Streams.h"
#include "TextFile.h"
#include "UBJpeg.h"

namespace zv {

std::string ArquivoFundo(int modelo) {
  return PrimeiraFamilia(modelo) ? "imgs/zv0.dat" : "imgs/zv3.dat";
}

std::string ArquivoFaixa(int modelo, int aneis) {
  if (PrimeiraFamilia(modelo))
    return aneis == 16 ? "imgs/zv0_sobre_Zarv.dat" : "imgs/zv0_sobre_ZarvSL.dat";
  return aneis == 32 ? "imgs/zv3_sobre_SL.dat" : "imgs/zv3_sobre.dat";
}

std::string NomeLista(int modelo, bool hover) {
  const std::string lista = PrimeiraFamilia(modelo) ? "BListZarvik" : "BListOlendra";
  return hover ? lista + "Over" : lista;
}

std::string ArquivoBotao(const std::string& lista, int item) {
  return "imgs/" + lista + std::to_string(item) + ".dat";
}

QImage LeImagemJpeg(const std::string& path) {
  if (!FileExists(path)) throw IoError("Arquivo não encontrado: " + path);
  MemoryStream stream(ReadFileBytes(path));
  if (!data::TBJpeg::DescomprimeJpeg(stream.Handle()))
    throw IoError("Arquivo não é uma imagem JPEG: " + path);
  const std::string bitmap = StreamReadAll(stream.Handle());
  QImage image = QImage::fromData(reinterpret_cast<const uchar*>(bitmap.data()),
                                  static_cast<int>(bitmap.size()), "BMP");
  if (image.isNull()) throw IoError("Imagem ilegível: " + path);
  return image;
}

void GravaImagemJpeg(const QImage& image, const std::string& path, int quality) {
  QByteArray bitmap;
  QBuffer buffer(&bitmap);
  buffer.open(QIODevice::WriteOnly);
  if (!image.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP"))
    throw IoError("Não foi possível converter a imagem: " + path);
  MemoryStream stream(std::string(bitmap.constData(), bitmap.size()));
  WriteFileAtomic(path, data::TBJpeg::ComprimeJpeg(stream.Handle(), quality));
}

}  // namespace zv

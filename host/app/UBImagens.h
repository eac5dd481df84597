// The pictures of the main window: the background and banner of each device family and the
// four picture lists of the seven image buttons, kept as JPEG files under "imgs" of the
// installation.  The picture generator and the main window share these names and sizes.
#pragma once
#include <QImage>
#include <QRect>
#include <array>
#include <string>

namespace zv {

// The first device family is models 0 and 1, the second models 2 and 3.
inline bool PrimeiraFamilia(int modelo) {
  return modelo == 0 || modelo == 1;
}

// File names relative to the installation's root directory.
std::string ArquivoFundo(int modelo);
std::string ArquivoFaixa(int modelo, int aneis);

// The button picture lists: BListZarvik, BListZarvikOver (first family), BListOlendra,
// BListOlendraOver (second family); item i belongs to BtnImage<i>.
std::string NomeLista(int modelo, bool hover);
std::string ArquivoBotao(const std::string& lista, int item);

inline constexpr int kBotoes = 7;
// Where each image button sits on the main window; its pictures have the same size.
inline constexpr std::array<QRect, kBotoes> kGeometriaBotoes = {
    QRect(469, 250, 120, 36), QRect(406, 294, 97, 34), QRect(328, 340, 123, 38),
    QRect(267, 393, 149, 34), QRect(289, 441, 93, 34), QRect(289, 492, 70, 33),
    QRect(320, 540, 60, 32)};
// The texts drawn into the buttons' pictures.
inline constexpr std::array<const char*, kBotoes> kTextosBotoes = {
    "Navegador", "Médicos", "Calibração", "Ferramentas", "Backup", "Ajuda", "Sair"};

inline constexpr QSize kTamanhoFundo(800, 600);
inline constexpr QSize kTamanhoFaixa(802, 143);

// Reads a JPEG picture file; raises IoError when the file is missing or holds no readable
// JPEG.
QImage LeImagemJpeg(const std::string& path);
// Writes a picture as a JPEG file; raises IoError when it cannot be written.
void GravaImagemJpeg(const QImage& image, const std::string& path, int quality);

}  // namespace zv

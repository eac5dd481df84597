// Exam data files: the two ring tables ("d.txt" dioptres, "m.txt" pixels) and the header
// ("a.txt") of each exam, and the report file ("l.txt"), under one directory per patient;
// plus the text helpers shared by their readers and writers.  Files are Windows-1252 with
// CR LF and are written whole through a temporary file and a rename, so a failed write leaves
// the previous file as it was.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "Dialogs.h"
#include "UBConstantes.h"

namespace zv {

// Values a ring-table line holds at most: the table's columns 0..32.
inline constexpr int kColunasTabela = 33;
inline constexpr int kMeridianos = 360;
// Ring-table values are below this in magnitude: far beyond any ring radius in pixels or corneal
// power in dioptres, so a larger value is a damaged table, never a measurement.
inline constexpr double kLimiteValorTabela = 10000;

// <root>/<patient>/<code>: the path prefix of a stored exam, to which the loader and the writers
// add "d.txt", "m.txt" and "a.txt"; codes as plain decimal integers.
std::string PrefixoArquivosExame(const std::string& dirExames, int paciente, int exame);
// <root>/<patient>/<code><letter>.txt.
std::string CaminhoArquivoExame(const std::string& dirExames, int paciente, int exame, char letra);
std::string CaminhoArquivoLaudo(const std::string& dirLaudos, const std::string& paciente,
                                const std::string& laudo);

// One ring-table line: columns 0..numAneis, each "00.00" and a space (numAneis is kept within
// the table's 32 rings).
std::string LinhaTabelaAneis(const double (&linha)[kColunasTabela], int numAneis);

// Ring-table files of a standard exam; numAneis is TInfosZV.NumAneis at the time of writing.
// Throw IoError naming the file when it cannot be written, and ConvertError, before anything
// is written, for a value the reader would refuse (no number, or not below
// kLimiteValorTabela once written with two decimals).
void GravaTabelaD(const std::string& dirExames, int paciente, int exame,
                  const TMatrizAngAnel& tabela, int numAneis);
void GravaTabelaM(const std::string& dirExames, int paciente, int exame,
                  const TMatrizAngAnel& tabela, int numAneis);
// "a.txt": centre x and y rounded to whole numbers, "@", the four pupil integers, the 360
// ring counts.  Throws ConvertError, writing nothing, for a centre that is no finite number or
// a ring count outside 0..32.
void GravaCabecalho(const std::string& dirExames, int paciente, int exame, const TMatrizAng& aneis,
                    double centroX, double centroY, const TPupila& pupila);
// The three files of one processed image at the path prefix `prefixo` (a stored exam's, or an
// example's such as <examples>/Central01), its directory made when missing.  The tables and
// the header are checked as above before the first file is written.
void GravaArquivosExame(const std::string& prefixo, const TMatrizAngAnel& dioptrias,
                        const TMatrizAngAnel& pixels, const TMatrizAng& aneis, double centroX,
                        double centroY, const TPupila& pupila, int numAneis);
// The three files of orthokeratology image `imagem` (1..4): its 360-line blocks of the
// module's text tables stored unchanged as "d.txt" and "m.txt", and the fixed header with
// centre (320, 240), pupil 0 and numAneis on every meridian.  Throws IoError when a table
// holds fewer lines than the block needs, ConvertError when numAneis is outside 0..32; then
// nothing is written.
void GravaExameOrto(const std::string& dirExames, int paciente, int exame, int imagem,
                    const std::vector<std::string>& tabelaPixels,
                    const std::vector<std::string>& tabelaDioptrias, int numAneis);

// The report file: the five prepared sections separated by "@" lines, then "*" without a line
// end.  Tells the operator whether it was saved; true when it was.
bool GravaLaudo(const std::string& dirLaudos, const std::string& paciente, const std::string& laudo,
                const std::string& condicoes, const std::string& olhoDireito,
                const std::string& olhoEsquerdo, const std::string& conclusao,
                const std::string& comentarios, Dialogs& dialogs);

// One ring-table value: ToFloat, refused with ConvertError unless below kLimiteValorTabela in
// magnitude.
double LeValorTabela(std::string_view texto);
// Splits a ring-table line at spaces (a trailing space is optional) and stores value k in
// linha[k].  Values past the 33rd are ignored; cells past the last value are left as they
// are; an empty line stores nothing.  Throws ConvertError for a token LeValorTabela refuses.
void LeLinhaTabelaAneis(std::string_view texto, double (&linha)[kColunasTabela]);
// Fills `tabela` from the 360 lines that follow index `inicio` (the first is
// linhas[inicio + 1]), starting from a zeroed table.  Throws ConvertError naming the line for
// a value that is no number or a line that is missing; `tabela` is then unchanged.
void LeTabelaAneis(const std::vector<std::string>& linhas, int inicio, TMatrizAngAnel& tabela);

// Decimal normalisation for a process whose decimal separator is `separador`: a text without
// it gets its first "," (or, when the separator is ",", its first ".") replaced by it.
std::string AjustaDecimal(std::string_view texto, char separador = '.');
// AjustaDecimal, then conversion to a number.  Throws ConvertError.
double ToFloat(std::string_view texto);
// Portuguese upper case of a UTF-8 text: a..z and the 23 accented small letters of Windows-1252
// become capitals, every other character is kept, so the length does not change.
std::string MaiusculaAcentos(std::string_view texto);
// A report editor's text with its standard-text markers resolved: "#code#" markers are removed;
// a code longer than two characters with a "-" leaves what follows its first "-".  A marker
// code of digits only is an empty placeholder and disappears; any other "#...#" without a "-",
// and a "#" without a closing one, are kept as typed.
std::string PreparaTextoLaudo(std::string_view texto);

}  // namespace zv

#include "LembreteBackup.h"

#include <QDate>

namespace zv {
namespace {

QDate Data(const DateTime& d) {
  return QDate(d.year, d.month, d.day);
}

}  // namespace

bool DataUltimoBackup(const std::vector<std::string>& descricao, DateTime& data) {
  if (descricao.size() < 6) return false;
  const std::string& linha = descricao[5];
  if (linha.size() < 25) return false;
  std::string texto = linha.substr(25, 10);
  for (char& c : texto)
    if (c == '\\') c = '/';
  return ParseDate(texto, data);
}

bool BackupDevido(const AgendaBackup& agenda, const std::vector<std::string>& descricao,
                  int examesSemBackup, const DateTime& hoje) {
  if (agenda.modo == 2) return examesSemBackup >= agenda.exames;
  if (agenda.modo != 1 || descricao.empty()) return false;
  if (agenda.unidade != 0 && agenda.unidade != 1) return false;
  DateTime ultimo;
  if (!DataUltimoBackup(descricao, ultimo)) return true;
  const QDate desde = Data(ultimo), agora = Data(hoje);
  if (agenda.unidade == 0) return desde.daysTo(agora) >= agenda.periodo;
  return agora >= desde.addMonths(agenda.periodo);
}

}  // namespace zv

#include "ConsultasNavegador.h"

#include "QueryHelpers.h"
#include "UBArquivosExame.h"

namespace zv::browser {
namespace {

const char* const kColunasPaciente =
    "Pacientes.Codigo, Pacientes.Nome, Pacientes.RG, Pacientes.Convenio, Pacientes.DtCadastro, "
    "Pacientes.UltimoExame, Pacientes.TotalExames";

PacienteLinha LePaciente(const fb::Dataset& q) {
  PacienteLinha p;
  p.codigo = static_cast<int>(q.FieldByName("Codigo").AsInteger());
  p.nome = q.FieldByName("Nome").AsString();
  p.rg = q.FieldByName("RG").AsString();
  if (q.HasField("Convenio")) p.convenio = q.FieldByName("Convenio").AsString();
  if (q.HasField("DtCadastro")) p.dtCadastro = q.FieldByName("DtCadastro").AsString();
  if (q.HasField("UltimoExame")) p.ultimoExame = q.FieldByName("UltimoExame").AsString();
  if (q.HasField("TotalExames"))
    p.totalExames = static_cast<int>(q.FieldByName("TotalExames").AsInteger());
  return p;
}

ExameLinha LeExame(const fb::Dataset& q) {
  ExameLinha e;
  e.codigo = static_cast<int>(q.FieldByName("Codigo").AsInteger());
  e.codPaciente = static_cast<int>(q.FieldByName("CodPaciente").AsInteger());
  e.codResp = static_cast<int>(q.FieldByName("CodResp").AsInteger());
  e.data = q.FieldByName("Data").AsDateTime();
  e.hora = q.FieldByName("Hora").AsDateTime();
  e.olho = q.FieldByName("Olho").AsString();
  e.tipoExame = q.FieldByName("TipoExame").AsString();
  e.diag = q.FieldByName("Diag").AsString();
  e.observacao = q.FieldByName("Observacao").AsString();
  e.tipoCone = q.FieldByName("TipoCone").AsString();
  e.indConf = q.FieldByName("IndConf").AsFloat();
  e.numAnel = static_cast<int>(q.FieldByName("NumAnel").AsInteger());
  return e;
}

template <class Row, class Read>
std::vector<Row> LeTodas(fb::Dataset& q, Read read) {
  std::vector<Row> rows;
  for (q.Open(); !q.Eof(); q.Next()) rows.push_back(read(q));
  q.Close();
  return rows;
}

fb::SqlDate SoData(const DateTime& d) {
  return {DateTime{d.year, d.month, d.day}};
}
fb::SqlTime SoHora(const DateTime& t) {
  DateTime h;
  h.hour = t.hour, h.minute = t.minute, h.second = t.second;
  return {h};
}

bool SoDigitos(const std::string& s, size_t from, size_t count) {
  if (s.size() < from + count) return false;
  for (size_t i = from; i < from + count; ++i)
    if (s[i] < '0' || s[i] > '9') return false;
  return true;
}

}  // namespace

std::string LegendaExame(const ExameLinha& exame) {
  return exame.olho + " - " + FormatDateTime("dd/mm/yyyy", exame.data) + " " +
         FormatDateTime("HH:nn:ss", exame.hora);
}

std::optional<ChaveExame> LeLegendaExame(const std::string& legenda) {
  // "OD - dd/mm/yyyy HH:mm:ss": eye at 1-2, date at 6-15, time at 17-24.
  if (legenda.size() < 24) return std::nullopt;
  ChaveExame chave;
  chave.olho = legenda.substr(0, 2);
  if (!ParseDate(legenda.substr(5, 10), chave.data)) return std::nullopt;
  if (!SoDigitos(legenda, 16, 2) || legenda[18] != ':' || !SoDigitos(legenda, 19, 2) ||
      legenda[21] != ':' || !SoDigitos(legenda, 22, 2))
    return std::nullopt;
  chave.hora.hour = std::stoi(legenda.substr(16, 2));
  chave.hora.minute = std::stoi(legenda.substr(19, 2));
  chave.hora.second = std::stoi(legenda.substr(22, 2));
  if (chave.hora.hour > 23 || chave.hora.minute > 59 || chave.hora.second > 59) return std::nullopt;
  return chave;
}

std::string EscapaLike(const std::string& texto) {
  std::string out;
  for (char c : texto) {
    if (c == '%' || c == '_' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

std::vector<std::string> ConsultasNavegador::NomesMedicos() {
  auto& q = dm_.Operation("SELECT Nome FROM Medicos ORDER BY Nome ASC");
  return LeTodas<std::string>(
      q, [](const fb::Dataset& d) { return d.FieldByName("Nome").AsString(); });
}

bool ConsultasNavegador::HaPacientesSemExames() {
  auto& q = dm_.Operation("SELECT FIRST 1 Codigo FROM Pacientes WHERE TotalExames = 0");
  q.Open();
  const bool any = !q.Eof();
  q.Close();
  return any;
}

std::vector<PacienteLinha> ConsultasNavegador::Pacientes(const FiltroPacientes& filtro,
                                                         bool porNome) {
  const std::string ordem =
      porNome ? " Order by Pacientes.Nome Asc" : " Order by Pacientes.Codigo Asc";
  std::string sql;
  switch (filtro.tipo) {
    case FiltroPacientes::Tipo::Todos:
      sql = std::string("Select ") + kColunasPaciente + " FROM Pacientes" + ordem;
      break;
    case FiltroPacientes::Tipo::SemExames:
      sql = std::string("Select ") + kColunasPaciente +
            " FROM Pacientes WHERE Pacientes.TotalExames=:TotalExames" + ordem;
      break;
    case FiltroPacientes::Tipo::Medico:
      // The patients with at least one exam of the doctor: an existence test per patient
      // lets the engine walk the patients in order instead of sorting every exam row.
      sql = std::string("Select ") + kColunasPaciente +
            " FROM Pacientes WHERE EXISTS (SELECT 1 FROM Exames WHERE Exames.CodPaciente = "
            "Pacientes.Codigo AND Exames.CodResp=:CodigoMedico)" +
            ordem;
      break;
  }
  auto& q = dm_.Operation(sql);
  if (filtro.tipo == FiltroPacientes::Tipo::SemExames) q.SetParam("TotalExames", 0);
  if (filtro.tipo == FiltroPacientes::Tipo::Medico) q.SetParam("CodigoMedico", filtro.codigoMedico);
  return LeTodas<PacienteLinha>(q, LePaciente);
}

std::optional<PacienteLinha> ConsultasNavegador::Paciente(int codigo) {
  auto& q = dm_.Operation(std::string("Select ") + kColunasPaciente +
                          " FROM Pacientes WHERE Pacientes.Codigo=:Codigo");
  q.SetParam("Codigo", codigo);
  auto rows = LeTodas<PacienteLinha>(q, LePaciente);
  if (rows.empty()) return std::nullopt;
  return rows.front();
}

std::vector<ExameLinha> ConsultasNavegador::Exames(int codPaciente, int codigoMedico) {
  auto& q = dm_.Operation(
      codigoMedico > 0 ? "SELECT * FROM Exames WHERE Exames.CodPaciente = :codigoPaciente AND "
                         "Exames.CodResp = :codigoMedico"
                       : "SELECT * FROM Exames WHERE Exames.CodPaciente = :codigoPaciente");
  q.SetParam("codigoPaciente", codPaciente);
  if (codigoMedico > 0) q.SetParam("codigoMedico", codigoMedico);
  return LeTodas<ExameLinha>(q, LeExame);
}

std::optional<ExameLinha> ConsultasNavegador::SelecionaExame(int codPaciente,
                                                             const std::string& legenda) {
  const auto chave = LeLegendaExame(legenda);
  if (!chave) return std::nullopt;
  auto& q = dm_.Operation(
      "SELECT * FROM Exames WHERE Exames.CodPaciente=:CodPac AND Exames.Data=:Data AND "
      "Exames.Hora=:Hora AND Exames.Olho=:Ol");
  q.SetParam("CodPac", codPaciente);
  q.SetParam("Data", SoData(chave->data));
  q.SetParam("Hora", SoHora(chave->hora));
  q.SetParam("Ol", chave->olho);
  auto rows = LeTodas<ExameLinha>(q, LeExame);
  if (rows.empty()) return std::nullopt;
  return rows.front();
}

ValoresOrtoExame ConsultasNavegador::ValoresOrto(int codExame) {
  auto& q = dm_.Operation("SELECT * FROM ExamesOrto WHERE ExamesOrto.CodExame=:CodExame");
  q.SetParam("CodExame", codExame);
  q.Open();
  ValoresOrtoExame v;
  if (!q.Eof()) {
    v.sag = q.FieldByName("Sag").AsFloat();
    v.div = q.FieldByName("Div").AsFloat();
    v.r0 = q.FieldByName("Raio").AsFloat();
  }
  q.Close();
  return v;
}

std::string ConsultasNavegador::NomeMedico(int codigo) {
  auto& q = dm_.Operation("SELECT Nome FROM Medicos WHERE Codigo=:Codigo");
  q.SetParam("Codigo", codigo);
  const std::string nome = data::FirstRowText(q, "Nome");
  q.Close();
  return nome;
}

int ConsultasNavegador::CodigoMedico(const std::string& nome) {
  auto& q = dm_.Operation("SELECT Codigo FROM Medicos WHERE Nome=:Nome");
  q.SetParam("Nome", nome);
  q.Open();
  const int codigo = q.Eof() ? 0 : static_cast<int>(q.FieldByName("Codigo").AsInteger());
  q.Close();
  return codigo;
}

std::vector<PacienteLinha> ConsultasNavegador::Busca(TipoBusca tipo, const std::string& texto) {
  const std::string maiusculo = MaiusculaAcentos(texto);
  const std::string contem = "%" + EscapaLike(maiusculo) + "%";
  const char* const pacientes = "SELECT Codigo,Nome,Rg FROM Pacientes WHERE ";
  const char* const porExame =
      "SELECT DISTINCT Pacientes.Codigo, Pacientes.Nome, Pacientes.Rg FROM Exames JOIN Pacientes "
      "ON Exames.CodPaciente = Pacientes.Codigo WHERE ";
  std::string sql, valor;
  switch (tipo) {
    case TipoBusca::PrimeiroNome:
      sql = std::string(pacientes) + "Upper(Nome) STARTING WITH :Texto ORDER BY Nome ASC";
      valor = maiusculo;
      break;
    case TipoBusca::ParteNome:
      sql = std::string(pacientes) + "Upper(Nome) LIKE :Texto ESCAPE '\\' ORDER BY Nome ASC";
      valor = contem;
      break;
    case TipoBusca::CodigoPaciente:
      sql = std::string(pacientes) + "CAST(Codigo AS VARCHAR(11)) = :Texto ORDER BY Nome ASC";
      valor = texto;
      break;
    case TipoBusca::RgPaciente:
      sql = std::string(pacientes) + "Upper(Rg) LIKE :Texto ESCAPE '\\' ORDER BY Nome ASC";
      valor = contem;
      break;
    case TipoBusca::CodigoExame:
      sql = std::string(porExame) + "CAST(Exames.Codigo AS VARCHAR(11)) = :Texto ORDER BY 2 ASC";
      valor = texto;
      break;
    case TipoBusca::Diagnostico:
      sql = std::string(porExame) + "Upper(Exames.Diag) LIKE :Texto ESCAPE '\\' ORDER BY 2 ASC";
      valor = contem;
      break;
    case TipoBusca::Observacao:
      sql =
          std::string(porExame) + "Upper(Exames.Observacao) LIKE :Texto ESCAPE '\\' ORDER BY 2 ASC";
      valor = contem;
      break;
  }
  auto& q = dm_.Operation(sql);
  q.SetParam("Texto", valor);
  return LeTodas<PacienteLinha>(q, LePaciente);
}

std::vector<int> ConsultasNavegador::LaudosDoExame(const ExameLinha& exame) {
  auto& q =
      dm_.Operation(exame.olho == "OS" ? "SELECT Codigo FROM Laudos WHERE MedidaOS=:CodigoExame"
                                       : "SELECT Codigo FROM Laudos WHERE MedidaOD=:CodigoExame");
  q.SetParam("CodigoExame", exame.codigo);
  return LeTodas<int>(q, [](const fb::Dataset& d) {
    return static_cast<int>(d.FieldByName("Codigo").AsInteger());
  });
}

void ConsultasNavegador::ExcluiExame(const ExameLinha& exame, const std::vector<int>& laudos) {
  try {
    for (int laudo : laudos) {
      auto& q = dm_.Operation("Execute Procedure DeleteLaudosByCodigo :Codigo");
      q.SetParam("Codigo", laudo);
      q.ExecSQL();
    }
    if (exame.Orto()) {
      auto& q = dm_.Operation("Execute Procedure DeleteExamesOrtoByCodigoExame :CodExame");
      q.SetParam("CodExame", exame.codigo);
      q.ExecSQL();
    }
    auto& del = dm_.Operation("Execute Procedure DeleteExamesByCodigo :Codigo");
    del.SetParam("Codigo", exame.codigo);
    del.ExecSQL();

    // The newest remaining exam gives the patient's last-exam text; the count is what is left.
    auto& ultimo = dm_.Operation(
        "SELECT * FROM Exames WHERE Hora = (SELECT max(Hora) FROM Exames WHERE Data = (SELECT "
        "max(Data) FROM Exames WHERE CodPaciente=:CodPac) AND CodPaciente=:CodPac) AND "
        "CodPaciente=:CodPac");
    ultimo.SetParam("CodPac", exame.codPaciente);
    const auto restantes = LeTodas<ExameLinha>(ultimo, LeExame);
    std::string texto;
    if (!restantes.empty()) {
      const ExameLinha& e = restantes.front();
      texto = e.olho + " " + FormatDateTime("dd/mm/yyyy", e.data) + " " +
              FormatDateTime("HH:nn", e.hora);
    }
    auto& conta = dm_.Operation("SELECT COUNT(*) FROM Exames WHERE CodPaciente=:CodPac");
    conta.SetParam("CodPac", exame.codPaciente);
    const int total = data::FirstRowInt(conta, "COUNT");
    conta.Close();
    auto& upd = dm_.Operation(
        "Execute Procedure UpdateExamesPacientesByCodigo :Codigo,:UltimoExame,:TotalExames");
    upd.SetParam("Codigo", exame.codPaciente);
    upd.SetParam("UltimoExame", texto);
    upd.SetParam("TotalExames", total);
    upd.ExecSQL();
    dm_.PCommitDataBase();
  } catch (...) {
    dm_.IBDatabase.Rollback();
    dm_.IBDatabase.StartTransaction();
    throw;
  }
}

bool ConsultasNavegador::PacienteTemExames(int codPaciente) {
  auto& q =
      dm_.Operation("SELECT CodPaciente,CodResp FROM Exames WHERE Exames.CodPaciente = :idxPac");
  q.SetParam("idxPac", codPaciente);
  q.Open();
  const bool any = !q.Eof();
  q.Close();
  return any;
}

void ConsultasNavegador::ExcluiPaciente(int codPaciente) {
  auto& q = dm_.Operation("Execute Procedure DeletePacientesByCodigo :Codigo");
  q.SetParam("Codigo", codPaciente);
  q.ExecSQL();
  dm_.PCommitDataBase();
}

}  // namespace zv::browser

#include "CadastroCampos.h"

#include <algorithm>

namespace zv::exam {

const std::vector<CampoCadastro> kCamposPaciente = {
    {"dbeNome", "NOME", 50},
    {"dbeRG", "RG", 15},
    {"dbeCPF", "CPF", 11},
    {"dbeDataNascimento", "DATANASCIMENTO", 10},
    {"dbeConjuge", "CONJUGE", 25},
    {"dbeNaturalidade", "NATURALIDADE", 40},
    {"dbcEstadoNaturalidade", "NATURALIDADEESTADO", 2},
    {"dbePai", "PAI", 50},
    {"dbeMae", "MAE", 50},
    {"dbeProfissao", "PROFISSAO", 40},
    {"dbeConvenio", "CONVENIO", 50},
    {"dbcTipoSang", "TIPOSANG", 3},
    {"dbeRua", "RUA", 40},
    {"dbeComplemento", "COMPLEMENTO", 25},
    {"dbeBairro", "BAIRRO", 30},
    {"dbeCidade", "CIDADE", 40},
    {"dbcEstado", "ESTADO", 2},
    {"dbeCEP", "CEP", 9},
    {"dbeFone", "FONE", 11},
    {"dbeCelular", "CELULAR", 11},
};

const std::vector<CampoCadastro> kCamposMedico = {
    {"dbeNome", "NOME", 50},
    {"dbeRG", "RG", 15},
    {"dbeCRM", "CRM", 15},
    {"dbeCPF", "CPF", 11},
    {"dbeDataNascimento", "DATANASCIMENTO", 10},
    {"dbeConjuge", "CONJUGE", 25},
    {"dbeNaturalidade", "NATURALIDADE", 40},
    {"dbcEstadoNaturalidade", "NATURALIDADEESTADO", 2},
    {"dbePai", "PAI", 50},
    {"dbeMae", "MAE", 50},
    {"dbeRua", "RUA", 40},
    {"dbeComplemento", "COMPLEMENTO", 25},
    {"dbeBairro", "BAIRRO", 30},
    {"dbeCidade", "CIDADE", 40},
    {"dbcEstado", "ESTADO", 2},
    {"dbeCEP", "CEP", 9},
    {"dbeFone", "FONE", 11},
    {"dbeCelular", "CELULAR", 11},
};

const std::vector<std::string>& EstadosNaturalidade() {
  static const std::vector<std::string> estados = {
      "AC", "AL", "AM", "AP", "BA", "CE", "DF", "ES", "GO", "MA", "MG", "MS", "MT", "PA",
      "PB", "PE", "PI", "PR", "RD", "RJ", "RN", "RO", "RS", "SC", "SE", "SP", "TO"};
  return estados;
}

const std::vector<std::string>& EstadosResidenciaMedico() {
  static const std::vector<std::string> estados = [] {
    std::vector<std::string> lista{""};
    for (const auto& e : EstadosNaturalidade())
      if (e != "AC") lista.push_back(e);
    return lista;
  }();
  return estados;
}

const std::vector<std::string>& TiposSanguineos() {
  static const std::vector<std::string> tipos = {"AB+", "A+", "B+", "O+", "AB-", "A-", "B-", "O-"};
  return tipos;
}

const std::vector<Escolha> kSexos = {{"rbtMasculino", "M"}, {"rbtFeminino", "F"}};
const std::vector<Escolha> kEstadosCivis = {
    {"rbtCasado", "C"}, {"rbtSolteiro", "S"}, {"rbtDivorciado", "D"}};

void MarcaEscolha(FormView& view, const std::vector<Escolha>& escolhas, const std::string& codigo) {
  for (const auto& e : escolhas) view.SetChecked(e.controle, codigo == e.codigo);
}

std::string CodigoEscolhido(const FormView& view, const std::vector<Escolha>& escolhas) {
  for (const auto& e : escolhas)
    if (view.Checked(e.controle)) return e.codigo;
  return {};
}

std::string Corta(std::string_view texto, int tamanho) {
  std::size_t pos = 0;
  for (int n = 0; n < tamanho && pos < texto.size(); ++n) {
    ++pos;  // past the lead byte, then past its continuation bytes
    while (pos < texto.size() && (static_cast<unsigned char>(texto[pos]) & 0xC0) == 0x80) ++pos;
  }
  return std::string(texto.substr(0, pos));
}

std::vector<Registro> LeRegistros(fb::Dataset& q) {
  std::vector<Registro> linhas;
  q.Open();
  q.FetchAll();
  for (const auto& row : q.Rows()) {
    Registro r;
    for (std::size_t i = 0; i < q.FieldNames().size() && i < row.size(); ++i)
      r[q.FieldNames()[i]] = row[i].AsString();
    linhas.push_back(std::move(r));
  }
  return linhas;
}

void MostraCampos(FormView& view, const std::vector<CampoCadastro>& campos, const Registro* linha) {
  for (const auto& c : campos) {
    std::string texto;
    if (linha)
      if (const auto it = linha->find(c.coluna); it != linha->end()) texto = it->second;
    view.SetText(c.controle, texto);
  }
}

void HabilitaCampos(FormView& view, const std::vector<CampoCadastro>& campos, bool editavel) {
  for (const auto& c : campos) view.SetEnabled(c.controle, editavel);
  for (const auto* grupo : {"drgSexo", "drgEstadoCivil"}) view.SetEnabled(grupo, editavel);
}

std::string TextoCampo(const FormView& view, const std::vector<CampoCadastro>& campos,
                       std::string_view controle) {
  const auto it = std::find_if(campos.begin(), campos.end(),
                               [&](const CampoCadastro& c) { return controle == c.controle; });
  return Corta(view.Text(std::string(controle)), it == campos.end() ? 0 : it->tamanho);
}

namespace {

// The boxes patients and doctors share; both records name them alike.
template <typename Dados>
void LeComuns(const FormView& view, const std::vector<CampoCadastro>& campos, Dados& d) {
  const auto t = [&](std::string_view c) { return TextoCampo(view, campos, c); };
  d.nome = t("dbeNome");
  d.rg = t("dbeRG");
  d.cpf = t("dbeCPF");
  d.sexo = CodigoEscolhido(view, kSexos);
  d.estadoCivil = CodigoEscolhido(view, kEstadosCivis);
  d.conjuge = t("dbeConjuge");
  d.dataNascimento = t("dbeDataNascimento");
  d.naturalidade = t("dbeNaturalidade");
  d.naturalidadeEstado = t("dbcEstadoNaturalidade");
  d.pai = t("dbePai");
  d.mae = t("dbeMae");
  d.rua = t("dbeRua");
  d.complemento = t("dbeComplemento");
  d.bairro = t("dbeBairro");
  d.cidade = t("dbeCidade");
  d.estado = t("dbcEstado");
  d.cep = t("dbeCEP");
  d.fone = t("dbeFone");
  d.celular = t("dbeCelular");
}

}  // namespace

data::DadosPaciente LePaciente(const FormView& view) {
  data::DadosPaciente p;
  LeComuns(view, kCamposPaciente, p);
  p.convenio = TextoCampo(view, kCamposPaciente, "dbeConvenio");
  p.profissao = TextoCampo(view, kCamposPaciente, "dbeProfissao");
  p.tipoSang = TextoCampo(view, kCamposPaciente, "dbcTipoSang");
  return p;
}

data::DadosMedico LeMedico(const FormView& view) {
  data::DadosMedico m;
  LeComuns(view, kCamposMedico, m);
  m.crm = TextoCampo(view, kCamposMedico, "dbeCRM");
  return m;
}

std::string PadraoLike(std::string_view texto) {
  std::string padrao;
  for (char c : texto) {
    if (c == '%' || c == '_' || c == '\\') padrao += '\\';
    padrao += c;
  }
  return padrao;
}

}  // namespace zv::exam

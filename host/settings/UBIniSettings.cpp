#include "UBIniSettings.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

#include "NumberFormat.h"
#include "TextFile.h"
#include "UBPrivateProfile.h"

namespace zv {
namespace {

struct KeyRef {
  const char* section;
  const char* key;
};

// The order of the full load fixes the order of the guarded keys' messages.
constexpr KeyRef kLoadAllBeforeCameraCheck[] = {{"ZV", "Versao"},
                                                {"ZV", "Data"},
                                                {"ZV", "Tipo"},
                                                {"ZV", "TipoCone"},
                                                {"ZV", "FatorCorrecao"},
                                                {"ZV", "Z0"},
                                                {"DIRETORIOS", "DIRZV"},
                                                {"DIRETORIOS", "EXAMES"},
                                                {"DIRETORIOS", "BANCODADOS"},
                                                {"DIRETORIOS", "EXEMPLOS"},
                                                {"DIRETORIOS", "LAUDOS"},
                                                {"MODULOS", "DIGITALIZACAO"},
                                                {"MODULOS", "DIGITALIZACAO_ORTO"},
                                                {"MODULOS", "PROCESSAMENTO"},
                                                {"MODULOS", "PROCESSAMENTO_ORTO"},
                                                {"MODULOS", "DIRMAPAS"},
                                                {"MODULOS", "ULTIMACALIB"},
                                                {"MODULOS", "AUTO"},
                                                {"BACKUP", "MODULO"},
                                                {"BACKUP", "AUTO"},
                                                {"BACKUP", "AUTO_OP1_1"},
                                                {"BACKUP", "AUTO_OP1_2"},
                                                {"BACKUP", "AUTO_OP2"},
                                                {"OPCOES", "DICAS"},
                                                {"OPCOES", "SalvarImagemCaptura"},
                                                {"OPCOES", "sImagemCentral"},
                                                {"OPCOES", "sImagemLateral"},
                                                {"OPCOES", "MapaPadraoNovoExame"},
                                                {"OPCOES", "TreeViewNodes"},
                                                {"OPCOES", "AUTOINCMAP"},
                                                {"OPCOES", "INCMAP"},
                                                {"OPCOES", "AUTOANEIS"},
                                                {"OPCOES", "AUTOMINIMAPA"},
                                                {"OPCOES", "AUTOEXAME"},
                                                {"OPCOES", "INDICECONF"},
                                                {"CLINICA", "NOME"},
                                                {"CLINICA", "ENDERECO"},
                                                {"CLINICA", "CidadeEst"},
                                                {"CLINICA", "TELEFONE"},
                                                {"CLINICA", "OPT1"},
                                                {"CLINICA", "OPT2"},
                                                {"CLINICA", "OPT3"},
                                                {"CAMERA", "BRILHO"},
                                                {"CAMERA", "CONTRASTE"},
                                                {"CAMERA", "CAMERACENTRAL"},
                                                {"CAMERA", "CAMERALATERAL"},
                                                {"CAMERA", "CONECTORCENTRAL"},
                                                {"CAMERA", "CONECTORLATERALD"},
                                                {"CAMERA", "CONECTORLATERALS"},
                                                {"SERIAL", "COM"}};

constexpr KeyRef kLoadAllAfterCameraCheck[] = {{"CLINICA", "MEDICOATIVO"},
                                               {"CLINICA", "PACIENTEATIVO"},
                                               {"OPCOES", "TIPOCERATOMETRIA"},
                                               {"OPCOES", "QualidadeImagem"},
                                               {"OPCOES", "IDIOMA"},
                                               {"OPCOES", "TVLCENTRAL"},
                                               {"OPCOES", "TINCREMENTO"},
                                               {"OPCOES", "AUTOPCAPTURA"},
                                               {"OPCOES", "DELAYAUTOPCAPTURA"},
                                               {"OPCOES", "PASSOMOTORX"},
                                               {"OPCOES", "PASSOMOTORY"},
                                               {"OPCOES", "TIPOCALIBRADOR"},
                                               {"OPCOES", "EXIBIRINDICEMAPA"},
                                               {"MAPA", "EXIBEGRADE"},
                                               {"MAPA", "EXIBECERATOMETRIAPONTUAL"},
                                               {"MAPA", "CORCERATOMETRIAPONTUAL"}};

constexpr KeyRef kToolsSubset[] = {{"OPCOES", "TreeViewNodes"},
                                   {"OPCOES", "AUTOINCMAP"},
                                   {"OPCOES", "INCMAP"},
                                   {"OPCOES", "AUTOANEIS"},
                                   {"OPCOES", "AUTOEXAME"},
                                   {"OPCOES", "INDICECONF"},
                                   {"OPCOES", "SalvarImagemCaptura"},
                                   {"OPCOES", "sImagemCentral"},
                                   {"OPCOES", "sImagemLateral"},
                                   {"OPCOES", "MapaPadraoNovoExame"},
                                   {"CLINICA", "NOME"},
                                   {"CLINICA", "ENDERECO"},
                                   {"CLINICA", "CidadeEst"},
                                   {"CLINICA", "TELEFONE"},
                                   {"CLINICA", "OPT1"},
                                   {"CLINICA", "OPT2"},
                                   {"CLINICA", "OPT3"},
                                   {"OPCOES", "TIPOCERATOMETRIA"},
                                   {"OPCOES", "QualidadeImagem"},
                                   {"OPCOES", "IDIOMA"},
                                   {"OPCOES", "TVLCENTRAL"},
                                   {"OPCOES", "TINCREMENTO"},
                                   {"OPCOES", "AUTOPCAPTURA"},
                                   {"OPCOES", "DELAYAUTOPCAPTURA"},
                                   {"OPCOES", "EXIBIRINDICEMAPA"},
                                   {"MAPA", "EXIBEGRADE"},
                                   {"MAPA", "EXIBECERATOMETRIAPONTUAL"},
                                   {"MAPA", "CORCERATOMETRIAPONTUAL"}};

constexpr KeyRef kCalibrationSubset[] = {{"CAMERA", "BRILHO"},
                                         {"CAMERA", "CONTRASTE"},
                                         {"MODULOS", "ULTIMACALIB"},
                                         {"OPCOES", "TIPOCALIBRADOR"}};

// Keys read with the "Bool" kind and held as booleans.
constexpr const char* kBoolKeys[] = {"DICAS",          "SALVARIMAGEMCAPTURA", "SIMAGEMCENTRAL",
                                     "SIMAGEMLATERAL", "AUTOPCAPTURA",        "EXIBIRINDICEMAPA"};
// Keys validated at load with a message and a fallback.
constexpr const char* kGuardedKeys[] = {
    "TIPOCONE",    "QUALIDADEIMAGEM",          "TVLCENTRAL",
    "TINCREMENTO", "DELAYAUTOPCAPTURA",        "TIPOCALIBRADOR",
    "EXIBEGRADE",  "EXIBECERATOMETRIAPONTUAL", "CORCERATOMETRIAPONTUAL"};

constexpr const char* kCaption = "ERRO";

const char* const kDeviceDirs[] = {"ZARVIK", "ZARVIKSL", "OLENDRA", "OLENDRASL"};
const char* const kDeviceFiles[] = {"Zarvik.ini", "Zarvik.ini", "Olendra.ini", "Olendra.ini"};

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::string Id(const std::string& section, const std::string& key) {
  return Upper(section) + "/" + Upper(key);
}

template <size_t N>
bool Contains(const char* const (&list)[N], const std::string& upperKey) {
  return std::find_if(std::begin(list), std::end(list),
                      [&](const char* k) { return upperKey == k; }) != std::end(list);
}

// Characters of a UTF-8 text (one Windows-1252 byte each on disk).
size_t CharCount(const std::string& s) {
  return static_cast<size_t>(
      std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

}  // namespace

TBIniSettings::TBIniSettings(Dialogs& dialogs, std::string programDir, std::string fixedRoot)
    : dialogs_(dialogs), programDir_(std::move(programDir)), fixedRoot_(std::move(fixedRoot)) {}

std::string TBIniSettings::MarkerText(const std::string& section, const std::string& key) {
  return "Erro no parâmetro: " + section + " ->  " + key;
}

std::string TBIniSettings::FixedLocation(int model) const {
  return JoinPath(JoinPath(fixedRoot_, kDeviceDirs[model]), kDeviceFiles[model]);
}

std::string TBIniSettings::ProgramDirLocation(int model) const {
  return JoinPath(programDir_, kDeviceFiles[model]);
}

bool TBIniSettings::LocateIniFile(int model) {
  if (model < 0 || model > 3) return true;
  for (const std::string& candidate : {FixedLocation(model), ProgramDirLocation(model)}) {
    if (FileExists(candidate)) {
      iniFileName_ = candidate;
      return true;
    }
  }
  return false;
}

std::string TBIniSettings::ReadSetting(const std::string& fileName, const std::string& kind,
                                       const std::string& section, const std::string& key) const {
  const auto stored = ReadProfileString(fileName, section, key);
  if (kind == "Str") return stored.value_or(MarkerText(section, key));
  // "Int" and "Bool" take the text as a decimal or 0x-hexadecimal integer; a missing key or
  // a text that is no integer gives 1 (so a stored "True" or "False" reads as true).
  int value = 1;
  if (stored && !TryStrToInt(*stored, value)) value = 1;
  if (kind == "Int") return IntToStr(value);
  if (kind == "Bool") return value != 0 ? "True" : "False";
  return {};
}

void TBIniSettings::WriteSetting(const std::string& kind, const std::string& section,
                                 const std::string& key, const std::string& text, bool flag) {
  if (kind == "Str") {
    WriteProfileString(iniFileName_, section, key, text);
  } else if (kind == "Bool") {
    WriteProfileString(iniFileName_, section, key, flag ? "1" : "0");
  } else {
    return;
  }
  Load("OPCOES", "DICAS");
}

void TBIniSettings::Warn(const std::string& message) const {
  dialogs_.Message(message, kCaption, MsgIcon::None, MsgButtons::Ok);
}

void TBIniSettings::Load(const std::string& section, const std::string& key) {
  const std::string upperKey = Upper(key);
  if (Contains(kGuardedKeys, upperKey)) return LoadGuarded(upperKey);
  if (Contains(kBoolKeys, upperKey)) {
    flags_[Id(section, key)] = ReadSetting(iniFileName_, "Bool", section, key) == "True";
  } else {
    texts_[Id(section, key)] = ReadSetting(iniFileName_, "Str", section, key);
  }
}

void TBIniSettings::LoadGuarded(const std::string& key) {
  // A key that must hold a whole number: otherwise its message and its fallback.
  auto guardedNumber = [&](const char* section, const char* name, const char* message,
                           int fallback) {
    int value = fallback;
    if (!TryStrToInt(ReadSetting(iniFileName_, "Str", section, name), value)) {
      Warn(message);
      value = fallback;
    }
    return value;
  };
  auto guardedInt = [&](const char* name, const char* message, int fallback) {
    return guardedNumber("OPCOES", name, message, fallback);
  };
  // A MAPA flag: true exactly when the number is 1; a text that is no number gives the
  // fallback with its message.
  auto guardedFlag = [&](const char* name, const char* message, bool fallback) {
    return guardedNumber("MAPA", name, message, fallback ? 1 : 0) == 1;
  };
  if (key == "TIPOCONE") {
    // Every exam stores this text as its cone type, in a five-character column: only the four
    // cone numbers may go on (a missing key would otherwise pass on the marker text).
    std::string cone;
    try {
      cone = ReadSetting(iniFileName_, "Str", "ZV", "TipoCone");
    } catch (const std::exception&) {
      cone.clear();
    }
    if (cone.size() != 1 || cone[0] < '1' || cone[0] > '4') {
      Warn(
          "Erro ao carregar o tipo do cone! O tipo 4 será definido.\n\rFavor entrar em contato "
          "com nosso suporte técnico - 0800 555 0100.");
      cone = "4";
    }
    tipoCone_ = cone;
  } else if (key == "QUALIDADEIMAGEM") {
    std::string text = ReadSetting(iniFileName_, "Str", "OPCOES", "QualidadeImagem");
    int unused = 0;
    if (!TryStrToInt(text, unused)) {
      Warn("Erro ao carregar padrão de qualidade da imagem! O valor 50% será definido.");
      text = "50";
    }
    texts_[Id("OPCOES", "QualidadeImagem")] = text;
  } else if (key == "TVLCENTRAL") {
    if (!TryStrToInt(ReadSetting(iniFileName_, "Int", "OPCOES", "TVLCENTRAL"), tvlCentral_)) {
      Warn(
          "Erro ao carregar valor central de tolerância de varredura!\n\rO valor será definido "
          "de acordo com o tipo de cone utilizado pelo aparelho.");
      double cone = 0;
      tvlCentral_ = TryStrToFloat(tipoCone_, cone) && cone > 2 ? 8 : 16;
    }
  } else if (key == "TINCREMENTO") {
    tIncremento_ = guardedInt("TINCREMENTO",
                              "Erro ao carregar valor do incremento da tolerância de varredura! O "
                              "valor 2 será definido.",
                              2);
  } else if (key == "DELAYAUTOPCAPTURA") {
    delayAutoPCaptura_ =
        guardedInt("DELAYAUTOPCAPTURA",
                   "Erro ao carregar delay de captura! O valor 500 ms será definido.", 500);
  } else if (key == "TIPOCALIBRADOR") {
    tipoCalibrador_ = guardedInt(
        "TIPOCALIBRADOR", "Erro ao carregar tipo de calibrador! O valor 1 será definido.", 1);
  } else if (key == "EXIBEGRADE") {
    exibeGrade_ = guardedFlag(
        "EXIBEGRADE", "Erro ao carregar exibição da grade! O valor'True'será definido.", true);
  } else if (key == "EXIBECERATOMETRIAPONTUAL") {
    exibeCeratometriaPontual_ = guardedFlag(
        "EXIBECERATOMETRIAPONTUAL",
        "Erro ao carregar exibição da ceratometria pontual! O valor'False'será definido.", false);
  } else if (key == "CORCERATOMETRIAPONTUAL") {
    try {
      corCeratometriaPontual_ = ReadSetting(iniFileName_, "Str", "MAPA", "CORCERATOMETRIAPONTUAL");
      if (CharCount(corCeratometriaPontual_) > 8) corCeratometriaPontual_ = "Preta";
    } catch (const std::exception&) {
      Warn("Erro ao carregar cor da ceratometria pontual! A cor preta será definida.");
      corCeratometriaPontual_ = "Preta";
    }
  }
}

bool TBIniSettings::LoadAll(int model) {
  if (!LocateIniFile(model)) return false;
  for (const KeyRef& k : kLoadAllBeforeCameraCheck) Load(k.section, k.key);
  // Brightness and contrast must be whole numbers: otherwise the load stops here and the
  // caller receives the conversion error.
  StrToInt(Text("CAMERA", "BRILHO"));
  StrToInt(Text("CAMERA", "CONTRASTE"));
  for (const KeyRef& k : kLoadAllAfterCameraCheck) Load(k.section, k.key);
  return true;
}

bool TBIniSettings::LoadToolsSubset(int model) {
  if (!LocateIniFile(model)) return false;
  for (const KeyRef& k : kToolsSubset) Load(k.section, k.key);
  return true;
}

bool TBIniSettings::LoadCalibrationSubset(int model) {
  if (!LocateIniFile(model)) return false;
  for (const KeyRef& k : kCalibrationSubset) Load(k.section, k.key);
  return true;
}

std::string TBIniSettings::Text(const std::string& section, const std::string& key) const {
  const auto it = texts_.find(Id(section, key));
  return it == texts_.end() ? MarkerText(section, key) : it->second;
}

bool TBIniSettings::Flag(const std::string& section, const std::string& key) const {
  const auto it = flags_.find(Id(section, key));
  return it == flags_.end() ? true : it->second;
}

int TBIniSettings::IntOf(const std::string& section, const std::string& key) const {
  return StrToInt(Text(section, key));
}

}  // namespace zv

#include "FbServices.h"

#include <firebird/Interface.h>
#include <ibase.h>

#include "Errors.h"
#include "FbStatus.h"
#include "FbValue.h"
#include "Text1252.h"

using namespace Firebird;

namespace zv::fb {
namespace {

std::vector<unsigned char> Buffer(IXpbBuilder* b, Status& st) {
  const unsigned char* p = b->getBuffer(&st);
  std::vector<unsigned char> out(p, p + b->getBufferLength(&st));
  b->dispose();
  return out;
}

// Attaches to the service manager of `servidor`, starts the action the builder `acao` fills
// and reads the service's output until it ends.  An error of the action is raised by the last
// read.
template <typename Acao>
std::vector<std::string> Executa(const std::string& servidor, const Credenciais& login,
                                 Acao&& acao) {
  Status st;
  IService* servico = nullptr;
  std::vector<std::string> linhas;
  try {
    IUtil* util = Master()->getUtilInterface();
    IXpbBuilder* anexo = util->getXpbBuilder(&st, IXpbBuilder::SPB_ATTACH, nullptr, 0);
    anexo->insertString(&st, isc_spb_user_name, login.usuario.c_str());
    anexo->insertString(&st, isc_spb_password, login.senha.c_str());
    const auto spbAnexo = Buffer(anexo, st);
    const std::string gerente = servidor.empty() ? "service_mgr" : servidor + ":service_mgr";
    servico = Master()->getDispatcher()->attachServiceManager(
        &st, gerente.c_str(), static_cast<unsigned>(spbAnexo.size()), spbAnexo.data());

    IXpbBuilder* inicio = util->getXpbBuilder(&st, IXpbBuilder::SPB_START, nullptr, 0);
    acao(inicio, st);
    const auto spbInicio = Buffer(inicio, st);
    servico->start(&st, static_cast<unsigned>(spbInicio.size()), spbInicio.data());

    const unsigned char pedido[] = {isc_info_svc_line};
    unsigned char resposta[16384];
    for (bool fim = false; !fim;) {
      servico->query(&st, 0, nullptr, sizeof pedido, pedido, sizeof resposta, resposta);
      fim = true;
      for (const unsigned char* p = resposta;
           p < resposta + sizeof resposta && *p != isc_info_end;) {
        const unsigned char tag = *p++;
        if (tag == isc_info_truncated || tag == isc_info_data_not_ready) {
          fim = false;
          break;
        }
        if (tag != isc_info_svc_line) break;
        const unsigned tamanho = p[0] | (p[1] << 8);
        p += 2;
        if (tamanho > 0) {
          linhas.push_back(Cp1252ToUtf8(std::string(reinterpret_cast<const char*>(p), tamanho)));
          fim = false;
        }
        p += tamanho;
      }
    }
    servico->detach(&st);
    servico = nullptr;
  } catch (const FbException& e) {
    if (servico) servico->release();
    RaiseDatabaseError(e);
  }
  return linhas;
}

}  // namespace

NomeBanco DivideNome(const std::string& nome) {
  const size_t doisPontos = nome.find(':');
  // "host:/path" names a server; a single letter before ":" is a drive, not a host.
  if (doisPontos == std::string::npos || doisPontos < 2 || nome.find_first_of("/\\") < doisPontos)
    return {"", nome};
  return {nome.substr(0, doisPontos), nome.substr(doisPontos + 1)};
}

std::vector<std::string> BackupBanco(const std::string& nome, const std::string& arquivoBackup,
                                     const Credenciais& login) {
  const NomeBanco banco = DivideNome(nome);
  return Executa(banco.servidor, login, [&](IXpbBuilder* spb, Status& st) {
    spb->insertTag(&st, isc_action_svc_backup);
    spb->insertString(&st, isc_spb_dbname, Utf8ToCp1252(banco.caminho).c_str());
    spb->insertString(&st, isc_spb_bkp_file, Utf8ToCp1252(arquivoBackup).c_str());
    spb->insertTag(&st, isc_spb_verbose);
  });
}

std::vector<std::string> RestauraBanco(const std::string& arquivoBackup,
                                       const std::string& novoBanco, const Credenciais& login) {
  const NomeBanco banco = DivideNome(novoBanco);
  return Executa(banco.servidor, login, [&](IXpbBuilder* spb, Status& st) {
    spb->insertTag(&st, isc_action_svc_restore);
    spb->insertString(&st, isc_spb_bkp_file, Utf8ToCp1252(arquivoBackup).c_str());
    spb->insertString(&st, isc_spb_dbname, Utf8ToCp1252(banco.caminho).c_str());
    spb->insertInt(&st, isc_spb_options, isc_spb_res_create);
    spb->insertTag(&st, isc_spb_verbose);
  });
}

}  // namespace zv::fb

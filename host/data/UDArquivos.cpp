#include "UDArquivos.h"

#include "Streams.h"

namespace zv::data {

void TDArquivos::InsereImagens(int codigoExame, TZVStream* central, TZVStream* lateral) {
  auto& q = dm_.Operation(
      "Execute Procedure InsertArquivos  :Codigo_Exames,:Imagem_Central,:Imagem_Lateral");
  q.SetParam("Codigo_Exames", codigoExame);
  q.SetParam("Imagem_Central", fb::SqlBlob{central ? StreamReadAll(central) : std::string()});
  q.SetParam("Imagem_Lateral", fb::SqlBlob{lateral ? StreamReadAll(lateral) : std::string()});
  q.ExecSQL();
  dm_.PCommitDataBase();
}

void TDArquivos::LeImagens(int codigoExame, TZVStream* central, TZVStream* lateral) {
  auto& q = dm_.Operation(
      "SELECT Imagem_Central,Imagem_Lateral FROM Arquivos WHERE Codigo_Exames=:CodExame");
  q.SetParam("CodExame", codigoExame);
  q.Open();
  const std::string c = q.FieldByName("Imagem_Central").AsBytes();
  const std::string l = q.FieldByName("Imagem_Lateral").AsBytes();
  q.Close();
  for (auto [stream, bytes] : {std::pair{central, &c}, std::pair{lateral, &l}}) {
    if (!stream) continue;
    stream->SetSize(stream->context, 0);
    StreamRewind(stream);
    StreamWrite(stream, *bytes);
    StreamRewind(stream);
  }
}

}  // namespace zv::data

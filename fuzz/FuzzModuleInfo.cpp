// What a module can do with a stream the host hands it (information text, tables): any sequence
// of size changes, seeks, writes and reads, then the host reading the text lines back.
#include "FuzzInput.h"
#include "Streams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zv;
  fuzz::Leitor leitor(data, size);
  MemoryStream stream("Lista\r\n");
  TZVStream* s = stream.Handle();
  char buffer[256];
  for (int passo = 0; passo < 16 && !leitor.Fim(); ++passo) {
    const int64_t n = leitor.Le<int64_t>();
    switch (leitor.Le<uint8_t>() % 5) {
      case 0:
        s->SetSize(s->context, n % 100000);
        break;
      case 1:
        s->Seek(s->context, n % 100000, leitor.Le<int32_t>());
        break;
      case 2: {
        const std::string_view bytes = leitor.Resto().substr(0, static_cast<uint8_t>(n));
        s->Write(s->context, bytes.data(), static_cast<int64_t>(bytes.size()));
        break;
      }
      case 3:
        s->Read(s->context, buffer, n % static_cast<int64_t>(sizeof buffer + 1));
        break;
      default:
        s->Write(s->context, buffer, n % static_cast<int64_t>(sizeof buffer + 1));
    }
  }
  StreamRewind(s);
  StreamReadLines(s);
  return 0;
}

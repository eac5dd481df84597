// Images across the module boundary: a bitmap read from one of the host's streams, checked
// before any processing, and a picture written as the whole new content of a stream.
#pragma once
#include <QImage>
#include <string>
#include <string_view>

#include "UBConstantes.h"

namespace zv {

// The bitmap a stream holds, read from its start.  A null stream, an empty one or bytes that
// are not a bitmap give a null image and a Portuguese reason in `motivo`.
QImage LeBitmap(TZVStream* stream, std::string& motivo);

// The same, refused also when the image is not `largura` x `altura` pixels.
QImage LeBitmapDoTamanho(TZVStream* stream, int largura, int altura, std::string& motivo);

// Rewinds the stream, writes the bytes and cuts off whatever an earlier content left behind.
void SubstituiConteudo(TZVStream* stream, std::string_view bytes);

// The picture as a Windows bitmap, the whole new content of the stream.  False when the picture
// cannot be encoded (the stream is then left as it was).
bool GravaBitmap(TZVStream* stream, const QImage& imagem);

}  // namespace zv

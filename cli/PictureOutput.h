#pragma once

#include <QByteArray>
#include <QSizeF>
#include <functional>

class CommandLine;
class Layer;

// Writes what a picture command made in the format asked for: the JSON that makeJson
// gives, or the picture of root, a view of viewSize points, as SVG or PNG. Returns the
// command's exit status.
int writePicture(const CommandLine &commandLine, const Layer &root, QSizeF viewSize,
                 const std::function<QByteArray()> &makeJson);

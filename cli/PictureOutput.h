#pragma once

#include "LayerExport.h"

#include <QByteArray>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class CommandLine;
class Layer;

// What a picture command (cloud, verbarium) is asked to write, and where.
struct PictureSettings
{
    QString format;     // json, svg or png
    int scale = 1;      // device pixels per point of a PNG
    QString outputPath; // empty for standard output
    SvgWords svgWords = SvgWords::Text;
};

// --format (json|svg|png unless formats says otherwise; the first is the default),
// --svg-outlines, --scale N and --output PATH.
void addPictureOptions(CommandLine &commandLine,
                       const QStringList &formats = {QStringLiteral("json"), QStringLiteral("svg"),
                                                     QStringLiteral("png")});

// The settings asked for; nothing, after reporting bad arguments, when --scale is not
// a whole number from 1 to 4, --svg-outlines comes without SVG, or a PNG would go to
// standard output that is a terminal.
std::optional<PictureSettings> pictureSettings(const CommandLine &commandLine);

// Writes what a picture command made in the format asked for: the JSON that makeJson
// gives, or the picture of root, a view of viewSize points, as SVG or PNG. A picture
// over the export's size limits is refused with a message. Returns the command's exit
// status.
int writePicture(const PictureSettings &settings, const Layer &root, QSizeF viewSize,
                 const std::function<QByteArray()> &makeJson);

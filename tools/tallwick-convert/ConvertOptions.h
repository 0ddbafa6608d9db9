#pragma once
// The command line of tallwick-convert: IN OUT [--rotate DEG], or --help.
#include <QString>
#include <QStringList>
#include <optional>

namespace Tallwick {

struct ConvertOptions {
    QString In;
    QString Out;
    std::optional<double> Rotate;
    bool Help = false;
};

// The options, or nothing with `error` saying what is wrong.
std::optional<ConvertOptions> ParseConvertOptions(const QStringList& arguments, QString& error);
QString ConvertUsage();

}  // namespace Tallwick

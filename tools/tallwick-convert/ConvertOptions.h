#pragma once
// The command line of tallwick-convert: IN OUT [--rotate DEG] [--size N], or --help.
#include <QString>
#include <QStringList>
#include <optional>

namespace Tallwick {

struct ConvertOptions {
    QString In;
    QString Out;
    std::optional<double> Rotate;
    std::optional<int> Size;  // fit within Size x Size pixels, 1 to kMaxSize
    bool Help = false;
};

constexpr int kMaxSize = 4096;

// The options, or nothing with `error` saying what is wrong.
std::optional<ConvertOptions> ParseConvertOptions(const QStringList& arguments, QString& error);
QString ConvertUsage();

}  // namespace Tallwick

#pragma once

#include "tools/orvik-skingen/SkinBuild.h"
#include "tools/orvik-skingen/SkinParams.h"

#include <QByteArray>
#include <QString>

namespace skingen {

// Draws every picture of a skin and fills its definition.
SkinBuild generateSkin(const SkinParams& params);
// The definition as INI text with CR LF line ends.
QByteArray definitionText(const SkinBuild& skin);
// The name of the definition entry.
QString definitionFileName(const SkinBuild& skin);
// Writes the pictures (24-bit BMP) and the definition into dir, replacing the BMP and INI
// files a previous run left there. Returns false with a message on failure.
bool writeSkin(const SkinBuild& skin, const QString& dir, QString& error);

} // namespace skingen

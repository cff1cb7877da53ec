#pragma once

#include <QColor>
#include <QImage>

class QFont;
class TSkinData;

// A sample main window in the skin, 720 x 400, over the given background.
QImage PreviewSampleWindow(const TSkinData& skin, const QFont& font, const QColor& background);

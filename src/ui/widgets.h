// Small builders for the controls the side windows share.
#pragma once

#include <QRect>
#include <QString>
#include <string_view>

class QDialog;
class QLabel;
class QPushButton;
class QWidget;

namespace morvel {

// White 13-pixel text, bold or not, sized to its caption.
QLabel* WhiteLabel(const char* name, const QString& caption, bool bold, QWidget* parent);

// The window's OK button `BitBtn1`: the OK glyph, the hand cursor, the default button, and a
// click closes the dialog.
QPushButton* OkButton(QDialog* dialog, std::string_view caption, const QRect& geometry);

}  // namespace morvel

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

// Every side window: a title bar without minimise, maximise and close buttons. Each window closes
// by its own OK (or its choice), and a minimised modal window would leave the table locked.
inline constexpr Qt::WindowFlags kSideWindowFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

// White 13-pixel text, bold or not, sized to its caption.
QLabel* WhiteLabel(const char* name, const QString& caption, bool bold, QWidget* parent);

// The window's OK button `BitBtn1`: the OK glyph, the hand cursor, the default button, and a
// click closes the dialog.
QPushButton* OkButton(QDialog* dialog, std::string_view caption, const QRect& geometry);

}  // namespace morvel

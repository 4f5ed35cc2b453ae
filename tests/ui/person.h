// Clicks as a person makes them: on the round button of a radio button, in the middle of a push
// button.
#pragma once

#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>

namespace morvel::testing {

inline QRect IndicatorRect(QRadioButton* radio) {
    QStyleOptionButton option;
    option.initFrom(radio);
    option.text = radio->text();
    return radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio);
}

inline void Click(QRadioButton* radio) {
    QTest::mouseClick(radio, Qt::LeftButton, {}, IndicatorRect(radio).center());
}

inline void Click(QPushButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace morvel::testing

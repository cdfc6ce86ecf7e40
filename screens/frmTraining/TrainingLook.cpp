#include "frmTraining/TrainingLook.h"

#include "skin/Fonts.h"

#include <QLabel>

QFont TrainingLook::font(double pointSize, bool bold)
{
    QFont font(tahomaFamily());
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QLabel* TrainingLook::makeLabel(QWidget* parent, const char* objectName, double pointSize, bool bold, QRgb colour)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setTextFormat(Qt::PlainText);
    label->setFont(font(pointSize, bold));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(colour));
    label->setPalette(palette);
    return label;
}

QString TrainingLook::numberCaption(TrainingNumber number)
{
    switch (number) {
    case TrainingNumber::Sqrt2:
        return QStringLiteral("SQRT(2)");
    case TrainingNumber::Pi:
        return QStringLiteral("Pi");
    case TrainingNumber::E:
        break;
    }
    return QStringLiteral("e");
}

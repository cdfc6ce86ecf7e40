#include "frmTraining/TrainingLook.h"

#include "buttons/SkinButton.h"
#include "skin/Fonts.h"
#include "skin/Skin.h"
#include "skin/SkinPieces.h"

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

SkinButton* TrainingLook::makeButton(QWidget* parent, const char* objectName, const QString& caption)
{
    auto* button = new SkinButton(skinImage(), caption, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    QPalette palette = button->palette();
    palette.setColor(QPalette::Window, QColor(SkinPieces::InnerColour));
    button->setPalette(palette);
    return button;
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

#include "app/widgets/ColorChooser.h"

#include "platform/Dialogs.h"

#include <QPainter>
#include <QPixmap>
#include <array>

namespace lw::app {
namespace {

struct NamedColor {
    const char* name;
    TColor value;
};

constexpr std::array<NamedColor, ColorChooser::kStandardCount> kColors = {{
    {"Black", rgb(0x00, 0x00, 0x00)},
    {"Maroon", rgb(0x80, 0x00, 0x00)},
    {"Green", rgb(0x00, 0x80, 0x00)},
    {"Olive", rgb(0x80, 0x80, 0x00)},
    {"Navy", rgb(0x00, 0x00, 0x80)},
    {"Purple", rgb(0x80, 0x00, 0x80)},
    {"Teal", rgb(0x00, 0x80, 0x80)},
    {"Gray", rgb(0x80, 0x80, 0x80)},
    {"Silver", rgb(0xC0, 0xC0, 0xC0)},
    {"Red", rgb(0xFF, 0x00, 0x00)},
    {"Lime", rgb(0x00, 0xFF, 0x00)},
    {"Yellow", rgb(0xFF, 0xFF, 0x00)},
    {"Blue", rgb(0x00, 0x00, 0xFF)},
    {"Fuchsia", rgb(0xFF, 0x00, 0xFF)},
    {"Aqua", rgb(0x00, 0xFF, 0xFF)},
    {"White", rgb(0xFF, 0xFF, 0xFF)},
}};

QIcon swatch(TColor color) {
    QPixmap pm(16, 12);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.setBrush(toQColor(color));
    p.drawRect(0, 0, pm.width() - 1, pm.height() - 1);
    return QIcon(pm);
}

} // namespace

TColor ColorChooser::standardColor(int index) {
    return kColors[size_t(index)].value;
}

QString ColorChooser::standardName(int index) {
    return QString::fromLatin1(kColors[size_t(index)].name);
}

ColorChooser::ColorChooser(Dialogs& dialogs, TColor initial, QWidget* parent)
    : QComboBox(parent), dialogs_(dialogs), value_(initial), more_(initial) {
    setMinimumWidth(161);
    setIconSize(QSize(16, 12));
    setMaxVisibleItems(kStandardCount + 1);
    for (const NamedColor& c : kColors)
        addItem(swatch(c.value), QString::fromLatin1(c.name));
    addItem(swatch(more_), QStringLiteral("More..."));
    setColorValue(initial);
    connect(this, &QComboBox::activated, this, &ColorChooser::onActivated);
}

void ColorChooser::setMoreSwatch(TColor color) {
    more_ = color;
    setItemIcon(kMoreIndex, swatch(color));
}

void ColorChooser::setColorValue(TColor color) {
    int index = kMoreIndex;
    for (int i = 0; i < kStandardCount; ++i)
        if (kColors[size_t(i)].value == color) index = i;
    if (index == kMoreIndex) setMoreSwatch(color);
    setCurrentIndex(index);
    bool changed = color != value_;
    value_ = color;
    if (changed) emit colorChanged(color);
}

void ColorChooser::onActivated(int index) {
    if (index >= 0 && index < kStandardCount) {
        setColorValue(kColors[size_t(index)].value);
        return;
    }
    TColor chosen = value_;
    if (dialogs_.chooseColor(chosen))
        setColorValue(chosen);
    else
        setColorValue(value_); // back to the entry of the old colour
}

} // namespace lw::app

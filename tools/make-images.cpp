// Draws the pictures of the window's buttons, tabs and about box into the
// current folder. Built with the program (target lindwerk-make-images); run
// it by hand in app/images after changing a picture:
//   cd app/images && QT_QPA_PLATFORM=offscreen ../../build/tools/lindwerk-make-images
// The program's icon is not drawn here: its one source is packaging/lindwerk.svg
// (tools/make-icons.sh renders its sizes, and the window uses one of them).
#include <QtGui>
#include <cmath>

namespace {

// A small fixed random sequence, so the pictures come out the same each time.
struct Dice {
    quint32 s;
    double next() {
        s = s * 1664525u + 1013904223u;
        return (s >> 8) / double(1 << 24);
    }
};

const QColor kBox(0xFF, 0xFF, 0xE1);
const QColor kFather(0, 128, 0);
const QColor kMother(255, 0, 0);
const QColor kHeader(0xF0, 0xCA, 0xA6);
const QColor kColumn(0xC0, 0xDC, 0xC0);

QImage canvas(int w, int h, QColor fill = Qt::transparent) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

void save(const QImage& img, const char* name, int quality = -1) {
    if (!img.save(QString::fromLatin1(name), nullptr, quality)) qFatal("cannot write %s", name);
}

// A person box of the chart: frame, a picture area with a head, text lines.
void personBox(QPainter& p, const QRectF& r, const QColor& face) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(kBox);
    p.drawRect(r);
    QRectF pic(r.left() + 3, r.top() + 3, r.width() * 0.42, r.height() - 6);
    p.setPen(Qt::NoPen);
    p.setBrush(face.lighter(150));
    p.drawRect(pic);
    p.setBrush(face);
    double hr = pic.width() * 0.22;
    p.drawEllipse(QPointF(pic.center().x(), pic.top() + pic.height() * 0.38), hr, hr * 1.15);
    p.drawChord(QRectF(pic.left() + pic.width() * 0.12, pic.top() + pic.height() * 0.62,
                       pic.width() * 0.76, pic.height() * 0.7),
                0, 180 * 16);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    double tx = pic.right() + 3;
    for (int i = 0; i < 3; ++i) {
        double y = r.top() + 6 + i * (r.height() - 10) / 3.0;
        double len = (r.right() - 3 - tx) * (i == 0 ? 1.0 : 0.7 - 0.15 * i);
        p.drawLine(QPointF(tx, y), QPointF(tx + len, y));
    }
}

// The connection of a child box to a parent box above it, as the chart draws it.
void parentLine(QPainter& p, const QRectF& child, const QRectF& parent, bool mother) {
    double off = mother ? 2 : 0;
    p.setPen(QPen(mother ? kMother : kFather, 1.2));
    QPointF a(child.center().x() + off, child.top());
    QPointF b(parent.center().x() + off, parent.bottom());
    double mid = (a.y() + b.y()) / 2 + off;
    p.drawPolyline(QPolygonF{a, {a.x(), mid}, {b.x(), mid}, b});
}

// A small family chart: two grandparent pairs, the parents, two children.
void miniChart(QPainter& p, const QRectF& area) {
    double w = area.width() / 4.6, h = w * 0.62;
    auto box = [&](double col, double row) {
        return QRectF(area.left() + col * area.width() / 4.0 + (area.width() / 4.0 - w) / 2,
                      area.top() + row * (area.height() - h) / 2.0, w, h);
    };
    QRectF g1 = box(0, 0), g2 = box(1, 0), g3 = box(2, 0), g4 = box(3, 0);
    QRectF fa = box(0.5, 1), mo = box(2.5, 1);
    QRectF c1 = box(1, 2), c2 = box(2, 2);
    parentLine(p, fa, g1, false);
    parentLine(p, fa, g2, true);
    parentLine(p, mo, g3, false);
    parentLine(p, mo, g4, true);
    parentLine(p, c1, fa, false);
    parentLine(p, c1, mo, true);
    parentLine(p, c2, fa, false);
    parentLine(p, c2, mo, true);
    const QColor faces[] = {QColor(150, 110, 80),  QColor(170, 100, 120), QColor(110, 120, 150),
                            QColor(160, 130, 90),  QColor(90, 120, 90),   QColor(170, 110, 110),
                            QColor(120, 100, 150), QColor(150, 120, 80)};
    int i = 0;
    for (const QRectF& r : {g1, g2, g3, g4, fa, mo, c1, c2})
        personBox(p, r, faces[i++]);
}

// A tree: trunk and branches, then a crown of leaf dabs.
void branch(QPainter& p, QPointF from, double angle, double length, double width, int depth,
            Dice& dice, QList<QPointF>& tips) {
    QPointF to(from.x() + length * std::cos(angle), from.y() - length * std::sin(angle));
    QPen pen(QColor(96, 64, 38), width, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.drawLine(from, to);
    if (depth == 0) {
        tips << to;
        return;
    }
    int n = depth > 3 ? 2 : 3;
    for (int i = 0; i < n; ++i) {
        double spread = (i - (n - 1) / 2.0) * 0.55 + (dice.next() - 0.5) * 0.35;
        branch(p, to, angle + spread, length * (0.68 + 0.12 * dice.next()), width * 0.66, depth - 1,
               dice, tips);
    }
}

void tree(QPainter& p, QPointF root, double size, quint32 seed, double alpha = 1.0) {
    Dice dice{seed};
    QList<QPointF> tips;
    branch(p, root, M_PI / 2, size * 0.3, size * 0.07, 5, dice, tips);
    p.setPen(Qt::NoPen);
    for (int round = 0; round < 3; ++round) {
        for (const QPointF& t : tips) {
            QColor c = QColor::fromHsvF(0.24 + 0.08 * dice.next(), 0.45 + 0.25 * dice.next(),
                                        0.38 + 0.14 * round + 0.1 * dice.next(), 0.5 * alpha);
            p.setBrush(c);
            double r = size * (0.05 + 0.04 * dice.next());
            p.drawEllipse(t + QPointF((dice.next() - 0.5) * r * 2, (dice.next() - 0.5) * r * 2), r,
                          r);
        }
    }
}

QLinearGradient vertical(const QRectF& r, QColor top, QColor bottom) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

// ---------------------------------------------------------------- glyphs

void glyphNew() {
    QImage img = canvas(16, 16);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(80, 80, 80), 1));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF{{2.5, 1.5}, {9.5, 1.5}, {12.5, 4.5}, {12.5, 14.5}, {2.5, 14.5}});
    p.drawPolyline(QPolygonF{{9.5, 1.5}, {9.5, 4.5}, {12.5, 4.5}});
    p.setPen(QPen(QColor(170, 170, 170), 1));
    for (int y = 7; y <= 12; y += 2)
        p.drawLine(QPointF(4.5, y + 0.5), QPointF(10.5, y + 0.5));
    p.setPen(QPen(QColor(200, 140, 0), 1));
    p.setBrush(QColor(255, 210, 40));
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        double a = -M_PI / 2 + i * M_PI / 5, r = i % 2 ? 1.6 : 3.8;
        star << QPointF(12 + r * std::cos(a), 4 + r * std::sin(a));
    }
    p.drawPolygon(star);
    save(img, "glyph_new.png");
}

void glyphOpen() {
    QImage img = canvas(16, 16);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(150, 110, 20), 1));
    p.setBrush(QColor(240, 200, 90));
    p.drawPolygon(
        QPolygonF{{0.5, 3.5}, {5.5, 3.5}, {7.5, 5.5}, {13.5, 5.5}, {13.5, 13.5}, {0.5, 13.5}});
    p.setBrush(QColor(255, 225, 130));
    p.drawPolygon(QPolygonF{{3.5, 7.5}, {15.5, 7.5}, {13.5, 13.5}, {0.5, 13.5}});
    save(img, "glyph_open.png");
}

void disk(QPainter& p) {
    p.setPen(QPen(QColor(30, 50, 110), 1));
    p.setBrush(QColor(60, 100, 190));
    p.drawPolygon(QPolygonF{{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}});
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 2, 8, 5));
    p.setBrush(QColor(200, 210, 230));
    p.drawRect(QRectF(4, 10, 8, 4.5));
    p.setBrush(QColor(60, 100, 190));
    p.drawRect(QRectF(9, 3, 2, 3));
}

void glyphSave() {
    QImage img = canvas(16, 16);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    disk(p);
    save(img, "glyph_save.png");
}

void glyphSaveAs() {
    QImage img = canvas(16, 16);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(0.85, 0.85);
    disk(p);
    p.resetTransform();
    p.translate(10, 10);
    p.rotate(-45);
    p.setPen(QPen(QColor(90, 60, 20), 0.8));
    p.setBrush(QColor(250, 190, 60));
    p.drawRect(QRectF(-1.6, -6.5, 3.2, 9));
    p.setBrush(QColor(240, 200, 160));
    p.drawPolygon(QPolygonF{{-1.6, 2.5}, {1.6, 2.5}, {0, 5.5}});
    save(img, "glyph_saveas.png");
}

// A curved arrow turning back to the left (undo) or on to the right (redo),
// blue like the disk of the save pictures.
void historyArrow(bool forward, const char* name) {
    QImage img = canvas(16, 16);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (forward) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    QPainterPath bow;
    bow.moveTo(4.5, 6.5);
    bow.cubicTo(9, 3.2, 15, 5.5, 13.8, 10.5);
    bow.cubicTo(13.2, 12.8, 11, 13.8, 9, 13.8);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(30, 50, 110), 3.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(bow);
    p.setPen(QPen(QColor(90, 140, 220), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(bow);
    QPolygonF head{{0.8, 6.8}, {7.2, 2.2}, {7.6, 10.6}};
    p.setPen(QPen(QColor(30, 50, 110), 1));
    p.setBrush(QColor(60, 100, 190));
    p.drawPolygon(head);
    save(img, name);
}

void glyphWww() {
    QImage img = canvas(24, 24);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient sea(QPointF(9, 8), 13);
    sea.setColorAt(0, QColor(140, 200, 255));
    sea.setColorAt(1, QColor(30, 90, 180));
    p.setPen(QPen(QColor(20, 60, 130), 1));
    p.setBrush(sea);
    p.drawEllipse(QRectF(1.5, 1.5, 21, 21));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 160, 70));
    p.drawPolygon(QPolygonF{{6, 5}, {11, 4}, {12, 8}, {9, 10}, {10, 14}, {7, 15}, {5, 10}});
    p.drawPolygon(QPolygonF{{14, 11}, {19, 10}, {20, 15}, {16, 19}, {14, 16}});
    p.setPen(QPen(QColor(255, 255, 255, 120), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(7.5, 1.5, 9, 21));
    p.drawLine(QPointF(2, 12), QPointF(22, 12));
    save(img, "glyph_www.png");
}

// ------------------------------------------------------------ tab icons

void tabPersons() {
    QImage img = canvas(16, 16);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    auto person = [&](double x, QColor c) {
        p.setPen(QPen(c.darker(150), 0.8));
        p.setBrush(c);
        p.drawEllipse(QPointF(x, 5), 2.6, 2.8);
        p.drawChord(QRectF(x - 4.5, 9, 9, 11), 0, 180 * 16);
    };
    person(10.5, QColor(200, 90, 90));
    person(5.5, QColor(70, 130, 200));
    save(img, "tab_persons.png");
}

void tabArrange() {
    QImage img = canvas(16, 16);
    QPainter p(&img);
    p.setPen(QPen(kFather, 1));
    p.drawLine(4, 5, 4, 8);
    p.drawLine(4, 8, 8, 8);
    p.drawLine(8, 8, 8, 10);
    p.setPen(QPen(kMother, 1));
    p.drawLine(12, 5, 12, 9);
    p.drawLine(12, 9, 9, 9);
    p.setPen(Qt::black);
    p.setBrush(kBox);
    p.drawRect(1, 1, 6, 4);
    p.drawRect(9, 1, 6, 4);
    p.drawRect(5, 10, 6, 4);
    save(img, "tab_arrange.png");
}

void printer(QPainter& p, const QRectF& r, bool withPaper = true) {
    double w = r.width(), h = r.height();
    if (withPaper) {
        p.setPen(QPen(QColor(120, 120, 120), w / 24));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(r.left() + w * 0.25, r.top(), w * 0.5, h * 0.4));
    }
    p.setPen(QPen(QColor(50, 50, 60), w / 24));
    p.setBrush(vertical(r, QColor(190, 195, 205), QColor(110, 115, 130)));
    p.drawRoundedRect(QRectF(r.left(), r.top() + h * 0.32, w, h * 0.42), w * 0.08, w * 0.08);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(r.left() + w * 0.2, r.top() + h * 0.66, w * 0.6, h * 0.34));
    p.setBrush(QColor(60, 200, 60));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(r.left() + w * 0.84, r.top() + h * 0.45), w * 0.05, w * 0.05);
}

void tabPrint() {
    QImage img = canvas(16, 16);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    printer(p, QRectF(0.5, 1.5, 15, 13));
    save(img, "tab_print.png");
}

void tabSettings() {
    QImage img = canvas(16, 16);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath gear;
    for (int i = 0; i < 16; ++i) {
        double a = i * M_PI / 8, r = (i % 2) ? 5.2 : 7.3;
        double a2 = (i + 1) * M_PI / 8;
        QPointF q1(8 + r * std::cos(a), 8 + r * std::sin(a)),
            q2(8 + r * std::cos(a2), 8 + r * std::sin(a2));
        if (i == 0) gear.moveTo(q1);
        gear.lineTo(q1);
        gear.lineTo(q2);
    }
    gear.closeSubpath();
    gear.addEllipse(QPointF(8, 8), 2.3, 2.3);
    gear.setFillRule(Qt::OddEvenFill);
    p.setPen(QPen(QColor(70, 70, 80), 0.8));
    p.setBrush(QColor(160, 165, 180));
    p.drawPath(gear);
    save(img, "tab_settings.png");
}

// -------------------------------------------------- decorative columns

QImage sideBackground(QColor top, QColor bottom) {
    QImage img = canvas(193, 281, Qt::white);
    QPainter p(&img);
    p.fillRect(img.rect(), vertical(img.rect(), top, bottom));
    return img;
}

void sidePersons() {
    QImage img = sideBackground(QColor(250, 244, 228), QColor(214, 232, 212));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    tree(p, QPointF(96, 281), 260, 7, 0.55);
    miniChart(p, QRectF(6, 40, 181, 150));
    QFont f(QStringLiteral("DejaVu Serif"), 15, QFont::Bold);
    f.setItalic(true);
    p.setFont(f);
    p.setPen(QColor(90, 60, 30));
    p.drawText(QRectF(0, 6, 193, 30), Qt::AlignCenter, QStringLiteral("Die Familie"));
    save(img, "side_persons.png");
}

void sidePrint() {
    QImage img = sideBackground(QColor(236, 242, 250), QColor(205, 220, 235));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Three sheets side by side carry one chart, with the page edges dotted.
    QRectF sheets(14, 22, 165, 120);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawRect(sheets.translated(4, 4));
    p.setBrush(Qt::white);
    p.drawRect(sheets);
    miniChart(p, sheets.adjusted(6, 10, -6, -8));
    p.setPen(QPen(QColor(0, 0, 255), 1, Qt::DotLine));
    for (int k = 1; k < 3; ++k)
        p.drawLine(QPointF(sheets.left() + k * sheets.width() / 3, sheets.top()),
                   QPointF(sheets.left() + k * sheets.width() / 3, sheets.bottom()));
    printer(p, QRectF(36, 160, 121, 100), true);
    QFont f(QStringLiteral("DejaVu Sans"), 11, QFont::Bold);
    p.setFont(f);
    p.setPen(QColor(40, 60, 110));
    p.drawText(QRectF(0, 258, 193, 22), Qt::AlignCenter, QStringLiteral("Go!"));
    save(img, "side_print.png");
}

void sideSettings() {
    QImage img = sideBackground(QColor(252, 240, 226), QColor(236, 210, 186));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // One large box with its measures.
    QRectF box(28, 34, 140, 80);
    personBox(p, box, QColor(140, 100, 80));
    p.setPen(QPen(QColor(60, 60, 60), 1));
    auto arrow = [&](QPointF a, QPointF b) {
        p.drawLine(a, b);
        QLineF l(b, a);
        for (double d : {25.0, -25.0}) {
            QLineF h = l;
            h.setLength(6);
            h.setAngle(l.angle() + d);
            p.drawLine(h);
        }
        QLineF l2(a, b);
        for (double d : {25.0, -25.0}) {
            QLineF h = l2;
            h.setLength(6);
            h.setAngle(l2.angle() + d);
            p.drawLine(h);
        }
    };
    arrow(QPointF(box.left(), 20), QPointF(box.right(), 20));
    arrow(QPointF(14, box.top()), QPointF(14, box.bottom()));
    // Colour swatches like the colour choosers.
    const QColor swatches[] = {Qt::black,
                               QColor(128, 0, 0),
                               QColor(0, 128, 0),
                               QColor(128, 128, 0),
                               QColor(0, 0, 128),
                               QColor(128, 0, 128),
                               QColor(0, 128, 128),
                               QColor(128, 128, 128),
                               QColor(192, 192, 192),
                               Qt::red,
                               Qt::green,
                               Qt::yellow,
                               Qt::blue,
                               Qt::magenta,
                               Qt::cyan,
                               Qt::white};
    for (int i = 0; i < 16; ++i) {
        QRectF r(22 + (i % 4) * 38, 134 + (i / 4) * 24, 32, 18);
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(swatches[i]);
        p.drawRoundedRect(r, 3, 3);
    }
    // Alignment marks.
    p.setPen(QPen(QColor(80, 80, 80), 2));
    for (int k = 0; k < 3; ++k) {
        double x0 = 24 + k * 52;
        for (int line = 0; line < 4; ++line) {
            double len = line % 2 ? 26 : 38;
            double y = 240 + line * 7;
            double x = k == 0 ? x0 : k == 1 ? x0 + (38 - len) / 2 : x0 + 38 - len;
            p.drawLine(QPointF(x, y), QPointF(x + len, y));
        }
    }
    save(img, "side_settings.png");
}

// ---------------------------------------------------------- About picture

void aboutPicture() {
    QImage img = canvas(306, 322, Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(img.rect(), vertical(img.rect(), QColor(250, 214, 160), QColor(236, 150, 110)));
    QRadialGradient sun(QPointF(220, 120), 90);
    sun.setColorAt(0, QColor(255, 250, 210, 230));
    sun.setColorAt(1, QColor(255, 240, 200, 0));
    p.fillRect(img.rect(), sun);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 150, 90));
    QPainterPath hill;
    hill.moveTo(0, 322);
    hill.lineTo(0, 270);
    hill.cubicTo(90, 240, 200, 250, 306, 262);
    hill.lineTo(306, 322);
    p.drawPath(hill);
    tree(p, QPointF(150, 290), 300, 11, 1.0);
    miniChart(p, QRectF(58, 40, 190, 120));
    save(img, "about.jpg", 82);
}

// ---------------------------------------------------------- image buttons

// A rounded button face; the pressed one is darker and its content sits one
// pixel lower and to the right.
QImage buttonFace(QSize size, QColor base, bool pressed) {
    QImage img = canvas(size.width(), size.height());
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRectF r = QRectF(img.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QColor top = pressed ? base.darker(115) : base.lighter(125);
    QColor bottom = pressed ? base.lighter(105) : base.darker(112);
    p.setPen(QPen(base.darker(170), 1));
    p.setBrush(vertical(r, top, bottom));
    p.drawRoundedRect(r, 6, 6);
    p.setPen(QPen(pressed ? QColor(0, 0, 0, 60) : QColor(255, 255, 255, 140), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), 5, 5);
    return img;
}

void labelledButton(const char* name, QSize size, QColor base, bool pressed, const QString& text,
                    const std::function<void(QPainter&, QRectF)>& icon, int pointSize = 10) {
    QImage img = buttonFace(size, base, pressed);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (pressed) p.translate(1, 1);
    double iconSize = size.height() - 12;
    QRectF iconRect(7, 6, iconSize, iconSize);
    icon(p, iconRect);
    QFont f(QStringLiteral("DejaVu Sans"), pointSize, QFont::Bold);
    p.setFont(f);
    QRectF textRect(iconRect.right() + 4, 0, size.width() - iconRect.right() - 10, size.height());
    p.setPen(QColor(0, 0, 0, 70));
    p.drawText(textRect.translated(1, 1), Qt::AlignCenter, text);
    p.setPen(Qt::white);
    p.drawText(textRect, Qt::AlignCenter, text);
    save(img, name);
}

void infoIcon(QPainter& p, QRectF r) {
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(QColor(40, 90, 170));
    p.drawEllipse(r);
    QFont f(QStringLiteral("DejaVu Serif"), int(r.height() * 0.5), QFont::Bold);
    p.setFont(f);
    p.drawText(r, Qt::AlignCenter, QStringLiteral("i"));
}

void exitIcon(QPainter& p, QRectF r) {
    p.setPen(QPen(QColor(60, 30, 10), 1));
    p.setBrush(QColor(120, 70, 40));
    p.drawRect(QRectF(r.left() + 2, r.top(), r.width() * 0.55, r.height()));
    p.setBrush(QColor(255, 230, 120));
    p.drawEllipse(QPointF(r.left() + r.width() * 0.47, r.center().y()), 1.3, 1.3);
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    double y = r.center().y();
    p.drawLine(QPointF(r.left() + r.width() * 0.6, y), QPointF(r.right() + 2, y));
    p.drawLine(QPointF(r.right() + 2, y), QPointF(r.right() - 2, y - 4));
    p.drawLine(QPointF(r.right() + 2, y), QPointF(r.right() - 2, y + 4));
}

void imageButtons() {
    QColor warm(0xC8, 0x82, 0x4E);
    for (bool pressed : {false, true}) {
        labelledButton(pressed ? "about_down.png" : "about_up.png", {101, 30}, warm, pressed,
                       QStringLiteral("Info"), infoIcon);
        labelledButton(pressed ? "exit_down.png" : "exit_up.png", {101, 30}, warm, pressed,
                       QStringLiteral("Beenden"), exitIcon, 9);
        labelledButton(
            pressed ? "go_down.png" : "go_up.png", {96, 44}, QColor(60, 150, 60), pressed,
            QStringLiteral("Go!"),
            [](QPainter& p, QRectF r) {
                p.setPen(QPen(Qt::white, 1.5));
                p.setBrush(QColor(30, 110, 30));
                p.drawEllipse(r);
                p.setPen(Qt::NoPen);
                p.setBrush(Qt::white);
                p.drawPolygon(
                    QPolygonF{{r.left() + r.width() * 0.38, r.top() + r.height() * 0.26},
                              {r.left() + r.width() * 0.76, r.center().y()},
                              {r.left() + r.width() * 0.38, r.top() + r.height() * 0.74}});
            },
            14);
        labelledButton(
            pressed ? "setup_down.png" : "setup_up.png", {96, 44}, QColor(80, 110, 160), pressed,
            QStringLiteral("Drucker"), [](QPainter& p, QRectF r) { printer(p, r); }, 8);
    }
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    glyphNew();
    glyphOpen();
    glyphSave();
    glyphSaveAs();
    glyphWww();
    historyArrow(false, "glyph_undo.png");
    historyArrow(true, "glyph_redo.png");
    tabPersons();
    tabArrange();
    tabPrint();
    tabSettings();
    sidePersons();
    sidePrint();
    sideSettings();
    aboutPicture();
    imageButtons();
    return 0;
}

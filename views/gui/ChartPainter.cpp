// Painting the structure chart.
#include "ChartPainter.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

#include "Settings.h"
#include "TreeRow.h"

namespace lumbra::gui {

QColor ColorFromBgr(long bgr) {
    return QColor(static_cast<int>(bgr & 0xff), static_cast<int>((bgr >> 8) & 0xff),
                  static_cast<int>((bgr >> 16) & 0xff));
}

ChartPalette ChartPaletteFrom(const Settings& s) {
    const auto& c = s.treeColors;
    ChartPalette p;
    p.background = ColorFromBgr(c[kColorBack]);
    p.text = ColorFromBgr(c[kColorText]);
    p.selection = ColorFromBgr(c[kColorSelect]);
    p.line = ColorFromBgr(c[kColorLine]);
    p.highlight = ColorFromBgr(c[kColorSelLine]);
    p.externalText = ColorFromBgr(c[kColorUndefined]);
    p.bar = ColorFromBgr(c[kColorBlock]);
    p.selectedBar = ColorFromBgr(c[kColorSelLine]);
    p.label = ColorFromBgr(c[kColorText]);
    p.penSize = std::clamp(s.penSize, 1, 16);
    return p;
}

QFont FontFrom(const FontSetting& f) {
    QFont font(QString::fromUtf8(f.face.c_str()));
    font.setPixelSize(std::max(f.height, 4));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight > 0 ? f.weight : 400, 100, 900)));
    font.setItalic(f.italic != 0);
    if ((f.pitchFamily & 0x0f) == 1) {
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    }
    return font;
}

namespace {

QPen linePen(const ChartPalette& p, ChartPen pen, bool dotted) {
    const bool high = pen == ChartPen::Highlight || pen == ChartPen::ExternalHighlight;
    const bool external = pen == ChartPen::External || pen == ChartPen::ExternalHighlight;
    QColor color = high ? p.highlight : external ? p.externalText : p.line;
    QPen q(color, p.penSize, dotted || external ? Qt::DotLine : Qt::SolidLine);
    q.setCapStyle(Qt::FlatCap);
    return q;
}

void paintFoldMark(QPainter& painter, const ChartBox& box, const ChartPalette& p,
                   const QStyle* style, const QWidget* widget) {
    const int half = StructChart::kFoldMarkSize / 2;
    const QRect square(box.markX - half, box.markY - half, StructChart::kFoldMarkSize,
                       StructChart::kFoldMarkSize);
    painter.fillRect(square, p.background);
    if (style) {
        QStyleOption option;
        option.rect = square;
        option.state = QStyle::State_Enabled | QStyle::State_Children | QStyle::State_Item;
        if (box.foldState == kFoldExpanded)
            option.state |= QStyle::State_Open;
        // The glyph takes the chart's line colour, whatever the desktop's colours are.
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                                         QPalette::Dark, QPalette::Mid, QPalette::Shadow})
            option.palette.setColor(role, p.line);
        option.palette.setColor(QPalette::Base, p.background);
        option.palette.setColor(QPalette::Window, p.background);
        style->drawPrimitive(QStyle::PE_IndicatorBranch, &option, &painter, widget);
        return;
    }
    painter.setPen(QPen(p.line, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(square.adjusted(0, 0, -1, -1));
    painter.drawLine(box.markX - 2, box.markY, box.markX + 2, box.markY);
    if (box.foldState == kFoldFolded)
        painter.drawLine(box.markX, box.markY - 2, box.markX, box.markY + 2);
}

} // namespace

void PaintChart(QPainter& painter, const ChartFrame& frame, const ChartPalette& p,
                const QFont& font, const QStyle* style, const QWidget* widget) {
    const ChartLayout& l = frame.layout;
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(font);

    for (const ChartLine& line : frame.lines) {
        painter.setPen(linePen(p, line.pen, true));
        painter.drawLine(line.x1, line.y1, line.x2, line.y2);
    }

    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    for (const ChartBox& box : frame.boxes) {
        const QRect r(box.x, box.y, l.boxWidth, l.boxHeight);
        painter.fillRect(r, box.selected ? p.selection : p.background);
        if (box.frame) {
            painter.setPen(linePen(p, box.framePen, false));
            painter.setBrush(Qt::NoBrush);
            const QRect outline = r.adjusted(0, 0, -1, -1);
            if (box.rounded) {
                painter.drawRoundedRect(outline, 4, 4);
                painter.drawLine(r.left() + 3, r.top(), r.left() + 3, r.bottom());
                painter.drawLine(r.right() - 3, r.top(), r.right() - 3, r.bottom());
            } else {
                painter.drawRect(outline);
            }
        }
        const int mid = r.top() + l.boxHeight / 2;
        const QColor ink = box.external ? p.externalText : p.text;
        int nameX = r.left() + l.textX;
        if (!box.number.empty()) {
            painter.setPen(ink);
            painter.drawText(
                QRect(r.left() + l.textX, r.top() + l.textY, l.numberColumn, l.fontHeight), flags,
                QString::fromUtf8(box.number.c_str()));
            painter.setPen(linePen(p, box.framePen, false));
            const int sx = r.left() + l.numberColumn;
            painter.drawLine(sx, r.top(), sx, frame.options.twoLineBoxes ? mid : r.bottom());
            nameX = sx + l.textX;
        }
        if (frame.options.twoLineBoxes) {
            painter.setPen(linePen(p, box.framePen, false));
            painter.drawLine(r.left(), mid, r.right(), mid);
            painter.setPen(ink);
            painter.drawText(
                QRect(r.left() + l.textX, mid + 2, l.boxWidth - l.textX - 2, l.fontHeight), flags,
                QString::fromUtf8(box.secondLine.c_str()));
        }
        painter.setPen(ink);
        painter.drawText(QRect(nameX, r.top() + l.textY, r.right() - nameX - 2, l.fontHeight),
                         flags, QString::fromUtf8(box.name.c_str()));
        if (!box.omittedMark.empty()) {
            painter.setPen(p.text);
            painter.drawText(QPoint(r.right() + 1, r.top() + l.textY + QFontMetrics(font).ascent()),
                             QString::fromUtf8(box.omittedMark.c_str()));
        }
        if (box.foldState == kFoldFolded || box.foldState == kFoldExpanded)
            paintFoldMark(painter, box, p, style, widget);
        if (box.bar) {
            // The column keeps its own ground so that a long box never hides a figure.
            painter.fillRect(
                QRect(l.distRight - l.distWidth - 2, r.top(), l.distWidth + 4, l.boxHeight),
                p.background);
            painter.fillRect(QRect(box.barX, r.top(), box.barWidth, l.boxHeight),
                             box.selected ? p.selectedBar : p.bar);
            painter.setPen(p.label);
            painter.drawText(
                QRect(l.distRight - l.distWidth, r.top() + 2, l.distWidth, l.fontHeight),
                Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                QString::fromUtf8(box.label.c_str()));
        }
    }
}

} // namespace lumbra::gui

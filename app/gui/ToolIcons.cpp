// Drawn toolbar icons.
#include "ToolIcons.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <functional>

#include "CommandTable.h"

namespace lumbra::gui {

namespace {

constexpr int kSize = 32;
const QColor kInk(48, 56, 72);
const QColor kAccent(40, 110, 200);
const QColor kPaper(252, 252, 248);

QIcon drawn(const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    draw(p);
    return QIcon(pixmap);
}

QIcon standard(QStyle::StandardPixmap which) {
    return QApplication::style()->standardIcon(which);
}

// A small calling tree: a root box and two lower boxes joined by lines.
void chart(QPainter& p) {
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(3, 3, 16, 7), 2, 2);
    p.drawRect(QRectF(13, 13, 16, 6));
    p.drawRect(QRectF(13, 23, 16, 6));
    p.drawLine(QPointF(7, 10), QPointF(7, 26));
    p.drawLine(QPointF(7, 16), QPointF(13, 16));
    p.drawLine(QPointF(7, 26), QPointF(13, 26));
}

void boxedSign(QPainter& p, bool plus) {
    p.setBrush(kPaper);
    p.drawRect(QRectF(6, 6, 20, 20));
    p.setPen(QPen(kAccent, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(11, 16), QPointF(21, 16));
    if (plus)
        p.drawLine(QPointF(16, 11), QPointF(16, 21));
}

void verticalArrow(QPainter& p, bool up) {
    p.drawLine(QPointF(6, up ? 27 : 5), QPointF(26, up ? 27 : 5)); // the level's line
    p.setPen(QPen(kAccent, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const double tip = up ? 6 : 26, base = up ? 21 : 11;
    p.drawLine(QPointF(16, tip), QPointF(16, up ? 23 : 9));
    p.drawPolyline(QPolygonF({QPointF(9, base), QPointF(16, tip), QPointF(23, base)}));
}

void blockFigure(QPainter& p, int style) {
    p.drawLine(QPointF(8, 4), QPointF(8, 28));
    for (int y : {9, 16, 23}) {
        p.setPen(QPen(kInk, 2));
        p.drawLine(QPointF(14, y), QPointF(28, y)); // text lines
    }
    p.setPen(QPen(kAccent, 2));
    if (style == 0) {
        p.setPen(QPen(kAccent, 2, Qt::DashLine));
        p.drawLine(QPointF(8, 16), QPointF(14, 16));
    } else if (style == 1) {
        p.drawLine(QPointF(8, 9), QPointF(4, 9));
        p.drawLine(QPointF(4, 9), QPointF(4, 23));
        p.drawLine(QPointF(4, 23), QPointF(8, 23));
    } else {
        p.setBrush(kPaper);
        p.drawPolygon(QPolygonF({QPointF(8, 10), QPointF(12, 16), QPointF(8, 22), QPointF(4, 16)}));
    }
}

void printer(QPainter& p) {
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 4, 14, 9));
    p.setBrush(QColor(200, 206, 214));
    p.drawRoundedRect(QRectF(4, 12, 24, 11), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 19, 14, 9));
}

} // namespace

QIcon CommandIcon(int id) {
    switch (id) {
    case kCmdNew:
        return standard(QStyle::SP_FileIcon);
    case kCmdOpen:
        return standard(QStyle::SP_DialogOpenButton);
    case kCmdSave:
        return standard(QStyle::SP_DialogSaveButton);
    case kCmdProjectOpen:
        return standard(QStyle::SP_DirOpenIcon);
    case kCmdOpenFolder:
        return standard(QStyle::SP_DirIcon);
    case kCmdProjectSave:
        return drawn([](QPainter& p) {
            p.setBrush(QColor(236, 200, 110));
            p.drawRect(QRectF(4, 9, 22, 17));
            p.setPen(QPen(kAccent, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawLine(QPointF(22, 3), QPointF(22, 15));
            p.drawPolyline(QPolygonF({QPointF(17, 11), QPointF(22, 16), QPointF(27, 11)}));
        });
    case kCmdAnalyze:
        return standard(QStyle::SP_MediaPlay);
    case kCmdAnalyzeInfo:
        return standard(QStyle::SP_FileDialogDetailedView);
    case kCmdCallingInfo:
        return standard(QStyle::SP_FileDialogInfoView);
    case kCmdOption:
        return drawn([](QPainter& p) {
            p.setBrush(QColor(200, 206, 214));
            QPainterPath gear;
            for (int i = 0; i < 8; ++i) {
                QTransform t;
                t.translate(16, 16);
                t.rotate(i * 45.0);
                gear.addPolygon(t.map(QPolygonF(QRectF(-3, -13, 6, 7))));
            }
            gear.addEllipse(QPointF(16, 16), 9, 9);
            p.drawPath(gear.simplified());
            p.setBrush(kPaper);
            p.drawEllipse(QPointF(16, 16), 3.5, 3.5);
        });
    case kCmdStructureText:
        return drawn(chart);
    case kCmdSplitWindow:
        return drawn([](QPainter& p) {
            p.setBrush(kPaper);
            p.drawRect(QRectF(4, 6, 24, 20));
            p.setPen(QPen(kAccent, 2));
            p.drawLine(QPointF(16, 6), QPointF(16, 26));
        });
    case kCmdHistoryBack:
        return standard(QStyle::SP_ArrowBack);
    case kCmdHistoryForward:
        return standard(QStyle::SP_ArrowForward);
    case kCmdMoveUpper:
        return drawn([](QPainter& p) {
            p.setBrush(kPaper);
            p.drawRect(QRectF(4, 4, 14, 8));
            p.drawLine(QPointF(8, 12), QPointF(8, 24));
            p.drawLine(QPointF(8, 24), QPointF(14, 24));
            p.drawRect(QRectF(14, 20, 14, 8));
            p.setPen(QPen(kAccent, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawLine(QPointF(24, 17), QPointF(24, 6));
            p.drawPolyline(QPolygonF({QPointF(20, 10), QPointF(24, 6), QPointF(28, 10)}));
        });
    case kCmdMoveSameUpper:
        return drawn([](QPainter& p) { verticalArrow(p, true); });
    case kCmdMoveSameLower:
        return drawn([](QPainter& p) { verticalArrow(p, false); });
    case kCmdFolding:
        return drawn([](QPainter& p) { boxedSign(p, false); });
    case kCmdExpand:
        return drawn([](QPainter& p) { boxedSign(p, true); });
    case kCmdHorizonLine:
        return drawn([](QPainter& p) { blockFigure(p, 0); });
    case kCmdLinkage:
        return drawn([](QPainter& p) { blockFigure(p, 1); });
    case kCmdFlowchart:
        return drawn([](QPainter& p) { blockFigure(p, 2); });
    case kCmdPrint:
        return drawn(printer);
    case kCmdPrintPreview:
        return drawn([](QPainter& p) {
            p.setBrush(kPaper);
            p.drawRect(QRectF(4, 3, 18, 24));
            p.setPen(QPen(kAccent, 3));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(18, 17), 6, 6);
            p.drawLine(QPointF(22.5, 21.5), QPointF(28, 27));
        });
    case kCmdHelpIndex:
        return drawn([](QPainter& p) {
            p.setBrush(QColor(220, 232, 250));
            p.setPen(QPen(kAccent, 2));
            p.drawEllipse(QPointF(16, 16), 12, 12);
            QFont font = p.font();
            font.setPixelSize(18);
            font.setBold(true);
            p.setFont(font);
            p.drawText(QRectF(4, 4, 24, 24), Qt::AlignCenter, QStringLiteral("?"));
        });
    default:
        return {};
    }
}

} // namespace lumbra::gui

// The setup dialog: the sheet, its bound controls, enabling, hints and apply.
#include "TDevelop.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValidator>
#include <algorithm>

#include "CodePage.h"
#include "Lang.h"
#include "SettingsSession.h"
#include "Sinks.h"
#include "TextInput.h"
#include "UiText.h"

namespace lumbra::gui {

namespace {

// Refuses keystrokes that would make the text fail a rule; the field then says why.
class TextRuleValidator final : public QValidator {
public:
    TextRuleValidator(std::function<bool(const QString&)> allowed, QObject* parent)
        : QValidator(parent), allowed_(std::move(allowed)) {}
    State validate(QString& input, int&) const override {
        return allowed_(input) ? Acceptable : Invalid;
    }

private:
    std::function<bool(const QString&)> allowed_;
};

// Letters are refused at once; empty or out-of-range text stays Intermediate so that the user
// can go on typing, and Apply refuses it with the hint.
class NumberValidator final : public QValidator {
public:
    NumberValidator(const NumberLimits& limits, QObject* parent)
        : QValidator(parent), limits_(limits) {}
    State validate(QString& input, int&) const override {
        switch (CheckNumberText(input.toStdString(), limits_)) {
        case NumberState::Acceptable:
            return Acceptable;
        case NumberState::Intermediate:
            return Intermediate;
        case NumberState::Invalid:
            break;
        }
        return Invalid;
    }

private:
    NumberLimits limits_;
};

QColor colorFromBgr(long bgr) {
    return QColor(static_cast<int>(bgr & 0xff), static_cast<int>((bgr >> 8) & 0xff),
                  static_cast<int>((bgr >> 16) & 0xff));
}

long bgrFromColor(const QColor& c) {
    return static_cast<long>(c.red()) | (static_cast<long>(c.green()) << 8) |
           (static_cast<long>(c.blue()) << 16);
}

const char* const kPageTitles[kSetupPageCount] = {"Language/File", "Assembler", "View", "View2",
                                                  "Analyze1",      "Analyze2",  "Other"};

} // namespace

SetupChoosers SetupChoosers::Standard() {
    SetupChoosers c;
    c.color = [](QWidget* parent, const QColor& initial,
                 const QString& title) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, parent, title);
        return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
    };
    c.font = [](QWidget* parent, const QFont& initial) -> std::optional<QFont> {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, initial, parent);
        return ok ? std::optional<QFont>(chosen) : std::nullopt;
    };
    c.folder = [](QWidget* parent, const QString& title, const QString& start) {
        return QFileDialog::getExistingDirectory(parent, title, start);
    };
    c.openFile = [](QWidget* parent, const QString& title, const QString& start,
                    const QString& filter) {
        // The filter's own text names its pattern; the patterns Qt matches follow it.
        return QFileDialog::getOpenFileName(parent, title, start, filter, nullptr,
                                            QFileDialog::HideNameFilterDetails);
    };
    c.startProgram = [](const QString& program, const QStringList& arguments) {
        return QProcess::startDetached(program, arguments);
    };
    return c;
}

TDevelop::TDevelop(SettingsSession& session, MessageSink& messages, int startPage,
                   SetupChoosers choosers, QWidget* parent)
    : QDialog(parent), sheet_(session), env_(session.GetEnvironment()), messages_(messages),
      choosers_(std::move(choosers)) {
    setObjectName("TDevelop");
    setWindowTitle(UiText("Option"));
    tabs_ = new QTabWidget(this);
    using Builder = QWidget* (TDevelop::*)();
    const Builder builders[kSetupPageCount] = {
        &TDevelop::buildLanguageFilePage, &TDevelop::buildAssemblerPage,
        &TDevelop::buildViewPage,         &TDevelop::buildView2Page,
        &TDevelop::buildAnalyze1Page,     &TDevelop::buildAnalyze2Page,
        &TDevelop::buildOtherPage};
    for (int page = 0; page < kSetupPageCount; ++page) {
        buildingPage_ = page;
        QWidget* widget = (this->*builders[page])();
        widget->setObjectName(QString("SetupPage%1").arg(page));
        tabs_->addTab(widget, UiText(kPageTitles[page]));
    }

    hint_ = new QLabel(this);
    hint_->setObjectName("SetupHint");
    hint_->setWordWrap(true);
    QPalette warn = hint_->palette();
    warn.setColor(QPalette::WindowText, QColor(0xb0, 0x00, 0x20));
    hint_->setPalette(warn);

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    buttons->button(QDialogButtonBox::Ok)->setText(UiText("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(UiText("Cancel"));
    buttons->button(QDialogButtonBox::Apply)->setText(UiText("Apply"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TDevelop::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TDevelop::reject);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            [this] { ApplyChanges(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(hint_);
    layout->addWidget(buttons);

    refreshEnabling();
    refreshHint();
    SetCurrentPage(startPage);
    connect(tabs_, &QTabWidget::currentChanged, this, &TDevelop::pageActivated);
}

TDevelop::~TDevelop() = default;

int TDevelop::CurrentPage() const {
    return tabs_->currentIndex();
}

void TDevelop::SetCurrentPage(int page) {
    tabs_->setCurrentIndex(std::clamp(page, 0, kSetupPageCount - 1));
}

QWidget* TDevelop::PageWidget(int page) const {
    return tabs_->widget(page);
}

QString TDevelop::HintText() const {
    return hint_->text();
}

bool TDevelop::ApplyChanges() {
    for (const NumberControl& n : numbers_) {
        if (n.acceptable())
            continue;
        SetCurrentPage(n.page);
        n.widget->setFocus();
        messages_.Message(NumberHint(n.limits), lumbra::tr("Caution"), MessageKind::Warning);
        return false;
    }
    sheet_.Apply(CurrentPage());
    for (const NumberControl& n : numbers_)
        n.reload();
    refreshHint();
    return true;
}

void TDevelop::accept() {
    if (ApplyChanges())
        QDialog::accept();
}

// --- texts -------------------------------------------------------------------------------------

QString TDevelop::shown(const std::string& text, TextKind kind) const {
    if (kind == TextKind::Path)
        return QFile::decodeName(QByteArray::fromStdString(text));
    return Utf8(InternalToUtf8(text, sheet_.TextCodePage()));
}

std::string TDevelop::stored(const QString& text, TextKind kind) const {
    if (kind == TextKind::Path)
        return QFile::encodeName(text).toStdString();
    return Utf8ToInternal(text.toStdString(), sheet_.TextCodePage());
}

// --- bound controls ----------------------------------------------------------------------------

QCheckBox* TDevelop::checkBox(const char* text, int& field) {
    auto* box = new QCheckBox(UiText(text));
    box->setChecked(field != 0);
    connect(box, &QCheckBox::toggled, this, [this, &field](bool on) {
        field = on ? 1 : 0;
        refreshEnabling();
    });
    return box;
}

QRadioButton* TDevelop::radioButton(const char* text, int& field, int value) {
    auto* radio = new QRadioButton(UiText(text));
    radio->setChecked(field == value);
    connect(radio, &QRadioButton::toggled, this, [&field, value](bool on) {
        if (on)
            field = value;
    });
    return radio;
}

QComboBox* TDevelop::choiceList(std::initializer_list<const char*> items, int& field) {
    auto* list = new QComboBox;
    for (const char* item : items)
        list->addItem(UiText(item));
    list->setCurrentIndex(field >= 0 && field < list->count() ? field : -1);
    connect(list, &QComboBox::currentIndexChanged, this, [&field](int index) {
        if (index >= 0)
            field = index;
    });
    return list;
}

QLineEdit* TDevelop::textField(std::string& field, TextKind kind, int maxLength,
                               std::function<bool(const std::string&)> allowed,
                               const char* refusal) {
    auto* edit = new QLineEdit(shown(field, kind));
    edit->setMaxLength(maxLength);
    if (allowed)
        guard(edit, kind, std::move(allowed), refusal);
    connect(edit, &QLineEdit::textChanged, this, [this, edit, &field, kind](const QString& text) {
        field = stored(text, kind);
        refreshHint(edit);
    });
    return edit;
}

void TDevelop::guard(QLineEdit* edit, TextKind kind,
                     std::function<bool(const std::string&)> allowed, const char* refusal) {
    edit->setValidator(
        new TextRuleValidator([this, kind, allowed = std::move(allowed)](
                                  const QString& text) { return allowed(stored(text, kind)); },
                              edit));
    const QString why = UiText(refusal);
    connect(edit, &QLineEdit::inputRejected, this, [this, edit, why] { showRefusal(edit, why); });
}

QLineEdit* TDevelop::numberField(int& field, const NumberLimits& limits) {
    auto* edit = new QLineEdit(QString::number(field));
    edit->setValidator(new NumberValidator(limits, edit));
    edit->setAlignment(Qt::AlignRight);
    const int digits = static_cast<int>(std::to_string(limits.max).size());
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QString(digits + 3, '0')) + 12);
    connect(edit, &QLineEdit::textChanged, this, [this, edit, &field, limits](const QString& text) {
        if (std::optional<int> value = ParseNumberText(text.toStdString(), limits))
            field = *value;
        refreshHint(edit);
    });
    connect(edit, &QLineEdit::inputRejected, this,
            [this, edit, limits] { showRefusal(edit, Utf8(NumberHint(limits))); });
    numbers_.push_back({edit, limits, buildingPage_, [edit] { return edit->hasAcceptableInput(); },
                        [edit, &field] {
                            if (edit->text() != QString::number(field))
                                edit->setText(QString::number(field));
                        }});
    return edit;
}

QSpinBox* TDevelop::spinField(int& field, const NumberLimits& limits) {
    auto* spin = new QSpinBox;
    spin->setRange(limits.min, limits.max);
    spin->setValue(std::clamp(field, limits.min, limits.max));
    spin->setAlignment(Qt::AlignRight);
    connect(spin, &QSpinBox::valueChanged, this, [&field](int value) { field = value; });
    connect(spin, &QSpinBox::textChanged, this, [this, spin] { refreshHint(spin); });
    numbers_.push_back({spin, limits, buildingPage_, [spin] { return spin->hasAcceptableInput(); },
                        [spin, &field] { spin->setValue(field); }});
    return spin;
}

QPushButton* TDevelop::colorButton(const char* text, int position) {
    auto* button = new QPushButton(UiText(text));
    button->setObjectName(QString("Color%1").arg(position));
    refreshColorButton(button, position);
    colorButtons_.emplace_back(button, position);
    connect(button, &QPushButton::clicked, this, [this, button, text, position] {
        long& bgr = sheet_.Draft().treeColors[static_cast<std::size_t>(position)];
        if (std::optional<QColor> c = choosers_.color(this, colorFromBgr(bgr), UiText(text))) {
            bgr = bgrFromColor(*c);
            refreshColorButton(button, position);
        }
    });
    return button;
}

void TDevelop::refreshColorButton(QPushButton* button, int position) {
    const int side = button->fontMetrics().height();
    QPixmap swatch(side * 2, side);
    swatch.fill(colorFromBgr(sheet_.Draft().treeColors[static_cast<std::size_t>(position)]));
    QPainter frame(&swatch);
    frame.setPen(palette().color(QPalette::WindowText));
    frame.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    frame.end();
    button->setIcon(QIcon(swatch));
    button->setIconSize(swatch.size());
}

void TDevelop::fontRow(QGridLayout* grid, int row, const char* text, int index) {
    auto* face = new QLabel;
    auto* size = new QLabel;
    face->setObjectName(QString("FontFace%1").arg(index));
    size->setObjectName(QString("FontSize%1").arg(index));
    face->setFrameShape(QFrame::StyledPanel);
    size->setFrameShape(QFrame::StyledPanel);
    size->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    face->setMinimumWidth(face->fontMetrics().horizontalAdvance(QString(14, 'M')));
    size->setMinimumWidth(size->fontMetrics().horizontalAdvance("0000"));
    fontFaces_[static_cast<std::size_t>(index)] = face;
    fontSizes_[static_cast<std::size_t>(index)] = size;
    auto* change = new QPushButton(UiText("Chg"));
    change->setObjectName(QString("FontChg%1").arg(index));
    connect(change, &QPushButton::clicked, this, [this, index] {
        FontSetting& f = sheet_.Draft().fonts[static_cast<std::size_t>(index)];
        QFont initial(shown(f.face, TextKind::Internal));
        if (f.pointTenths > 0)
            initial.setPointSizeF(f.pointTenths / 10.0);
        initial.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight, 100, 900)));
        initial.setItalic(f.italic != 0);
        if (std::optional<QFont> chosen = choosers_.font(this, initial)) {
            f = ChosenFont(f, stored(chosen->family(), TextKind::Internal), chosen->pointSizeF(),
                           chosen->weight(), chosen->italic(), chosen->fixedPitch(), logicalDpiY());
            refreshFontRow(index);
        }
    });
    grid->addWidget(new QLabel(UiText(text)), row, 0);
    grid->addWidget(face, row, 1);
    grid->addWidget(size, row, 2);
    grid->addWidget(change, row, 3);
    refreshFontRow(index);
}

void TDevelop::refreshFontRow(int index) {
    const FontSetting& f = sheet_.Draft().fonts[static_cast<std::size_t>(index)];
    fontFaces_[static_cast<std::size_t>(index)]->setText(shown(f.face, TextKind::Internal));
    fontSizes_[static_cast<std::size_t>(index)]->setText(QString::number(FontPoints(f)));
}

void TDevelop::dependsOn(QWidget* widget, SetupDependent rule) {
    dependents_.emplace_back(widget, rule);
}

void TDevelop::refreshEnabling() {
    for (auto [widget, rule] : dependents_)
        widget->setEnabled(IsDependentEnabled(rule, sheet_.Draft()));
}

void TDevelop::refreshHint(const QObject* editedBy) {
    for (const NumberControl& n : numbers_) {
        if (!n.acceptable()) {
            hint_->setText(Utf8(NumberHint(n.limits)));
            return;
        }
    }
    // A refused keystroke stays explained while its field is being edited.
    if (refusedBy_ != editedBy) {
        refusedBy_ = nullptr;
        refusal_.clear();
    }
    hint_->setText(refusal_);
}

void TDevelop::showRefusal(const QObject* field, const QString& why) {
    refusedBy_ = field;
    refusal_ = why;
    hint_->setText(why);
}

// --- define files and include paths --------------------------------------------------------

QString TDevelop::chooseFile(const std::string& current, const char* filter,
                             const QString& patterns) {
    QString start = shown(current, TextKind::Path);
    if (!start.isEmpty() && !start.contains('/'))
        start = QStandardPaths::findExecutable(start); // a program found through PATH
    if (!start.isEmpty())
        start = QFileInfo(start).absolutePath();
    return choosers_.openFile(this, UiText(filter), start, UiText(filter) + " (" + patterns + ")");
}

void TDevelop::editDefineFile(const std::string& path) {
    const QString program = shown(DefineFileEditor(sheet_.Draft()), TextKind::Path);
    QStringList arguments;
    if (!path.empty())
        arguments << shown(path, TextKind::Path);
    if (!choosers_.startProgram(program, arguments))
        messages_.Message(Format(lumbra::tr("The editor %s could not be started."),
                                 program.toStdString().c_str()),
                          lumbra::tr("Caution"), MessageKind::Warning);
}

void TDevelop::addIncludeFolder(bool withLayers) {
    const QString folder =
        choosers_.folder(this, UiText(withLayers ? "Add Layer" : "Add"), QString());
    if (folder.isEmpty())
        return;
    std::string text = sheet_.Draft().includePath;
    const std::string chosen = stored(folder, TextKind::Path);
    if (withLayers)
        AppendIncludeTree(chosen, text, messages_);
    else
        AppendIncludeFolder(text, chosen, messages_);
    includePath_->setText(shown(text, TextKind::Path));
}

} // namespace lumbra::gui

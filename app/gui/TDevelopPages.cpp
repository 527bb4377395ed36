// The seven pages of the setup dialog, each control bound to its setting.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "CodePage.h"
#include "TDevelop.h"
#include "UiText.h"

namespace lumbra::gui {

namespace {

// A dependent control sits this far right of the one that enables it.
constexpr int kIndent = 20;

QWidget* indented(QWidget* widget) {
    auto* holder = new QWidget;
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(kIndent, 0, 0, 0);
    row->addWidget(widget);
    return holder;
}

QLabel* label(const char* text) {
    return new QLabel(UiText(text));
}

bool listSafe(const std::string& text) {
    return IsListSafeText(text);
}

constexpr const char* kNoComma = "A comma cannot be used here: it separates stored values.";

} // namespace

// --- "Language/File" ---------------------------------------------------------------------------

QWidget* TDevelop::buildLanguageFilePage() {
    Settings& d = sheet_.Draft();
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);

    auto* language = new QGroupBox(UiText("Language"));
    auto* kinds = new QVBoxLayout(language);
    const char* const names[] = {"Assembler", "Basic", "C/C++", "Pascal", "Auto Select"};
    for (int kind = 0; kind < 5; ++kind) {
        QRadioButton* radio = radioButton(names[kind], d.language, kind);
        radio->setObjectName(QString("Language%1").arg(kind));
        kinds->addWidget(radio);
        if (kind == 0) {
            cpuList_ = new QComboBox;
            cpuList_->setObjectName("CpuSet");
            for (int set = 0; set < kInstructionSetCount; ++set)
                cpuList_->addItem(QString());
            refreshCpuNames();
            cpuList_->setCurrentIndex(std::clamp(d.cpuSet - 1, 0, kInstructionSetCount - 1));
            connect(cpuList_, &QComboBox::currentIndexChanged, this, [this](int index) {
                if (index >= 0)
                    sheet_.Draft().cpuSet = index + 1;
            });
            kinds->addWidget(indented(cpuList_));
        }
    }
    kinds->addStretch();
    grid->addWidget(language, 0, 0);

    auto* reading = new QGroupBox(UiText("Charactor Set"));
    auto* readingRows = new QVBoxLayout(reading);
    QComboBox* encodings = choiceList(
        {"ANSI(Shift-JIS)", "JIS", "EUC-JP", "UTF8", "UTF16-LE", "UTF16-BE"}, d.mojiCode);
    encodings->setObjectName("MojiCode");
    readingRows->addWidget(encodings);
    QCheckBox* detect = checkBox("Auto Detect", d.mojiCodeAuto);
    detect->setObjectName("MojiCodeAuto");
    readingRows->addWidget(detect);

    auto* codePage = new QGroupBox(UiText("Code Page"));
    auto* codePageRow = new QHBoxLayout(codePage);
    codePages_ = new QComboBox;
    codePages_->setObjectName("CodePage");
    for (const std::string& entry : CodePageList())
        codePages_->addItem(Utf8(entry));
    auto selectCodePage = [this](int number) {
        for (int i = 0; i < codePages_->count(); ++i)
            if (CodePageOfEntry(codePages_->itemText(i).toStdString()) == number) {
                codePages_->setCurrentIndex(i);
                return;
            }
    };
    codePages_->setCurrentIndex(-1); // stays empty for a code page the list does not hold
    selectCodePage(d.codePage);
    connect(codePages_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            sheet_.Draft().codePage = CodePageOfEntry(codePages_->itemText(index).toStdString());
    });
    auto* byDefault = new QPushButton(UiText("Default"));
    byDefault->setObjectName("CodePageDefault");
    connect(byDefault, &QPushButton::clicked, this,
            [this, selectCodePage] { selectCodePage(DefaultCodePage(env_)); });
    codePageRow->addWidget(codePages_, 1);
    codePageRow->addWidget(byDefault);

    auto* right = new QVBoxLayout;
    right->addWidget(reading);
    right->addWidget(codePage);
    right->addStretch();
    grid->addLayout(right, 0, 1);

    auto* files = new QGroupBox(UiText("File"));
    auto* table = new QGridLayout(files);
    table->addWidget(label("Name"), 0, 0);
    table->addWidget(label("Extension"), 0, 1);
    table->addWidget(label("Tab"), 0, 2);
    for (int k = 0; k < kFilterCount; ++k) {
        FileFilter& filter = d.filters[static_cast<std::size_t>(k)];
        QLineEdit* name =
            textField(filter.name, TextKind::Internal, kNameLength, listSafe, kNoComma);
        name->setObjectName(QString("FilterName%1").arg(k));
        auto* extensions =
            new QLineEdit(shown(JoinExtensions(filter.extensions), TextKind::Internal));
        extensions->setObjectName(QString("FilterExt%1").arg(k));
        guard(extensions, TextKind::Internal, IsExtensionFieldText,
              "Extensions are separated by blanks; each has at most 11 characters and no comma.");
        connect(extensions, &QLineEdit::textChanged, this, [this, &filter](const QString& text) {
            filter.extensions = SplitExtensions(stored(text, TextKind::Internal));
        });
        QLineEdit* tab = numberField(filter.tabWidth, kTabWidthLimits);
        tab->setObjectName(QString("FilterTab%1").arg(k));
        table->addWidget(name, k + 1, 0);
        table->addWidget(extensions, k + 1, 1);
        table->addWidget(tab, k + 1, 2);
    }
    table->setColumnStretch(1, 1);
    grid->addWidget(files, 1, 0, 1, 2);

    QCheckBox* oldType = checkBox("Old Type Dialog", d.dialogType);
    oldType->setObjectName("DialogType");
    grid->addWidget(oldType, 2, 0, 1, 2);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(1, 1);
    return page;
}

void TDevelop::refreshCpuNames() {
    if (!cpuList_)
        return;
    for (int set = 0; set < kInstructionSetCount; ++set)
        cpuList_->setItemText(
            set, shown(sheet_.Draft().cpuNames[static_cast<std::size_t>(set)], TextKind::Internal));
}

// --- "Assembler" -------------------------------------------------------------------------------

QWidget* TDevelop::buildAssemblerPage() {
    Settings& d = sheet_.Draft();
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    for (int set = 0; set < kInstructionSetCount; ++set) {
        QLineEdit* name = textField(d.cpuNames[static_cast<std::size_t>(set)], TextKind::Internal,
                                    kNameLength, listSafe, kNoComma);
        name->setObjectName(QString("CpuName%1").arg(set));
        connect(name, &QLineEdit::textChanged, this, [this] { refreshCpuNames(); });
        grid->addWidget(name, 0, set + 1);
    }
    struct Row {
        const char* text;
        InstructionGroup group;
    };
    static constexpr Row rows[] = {
        {"Call", kInsCall},
        {"Return", kInsReturn},
        {"Branch Condition", kInsBranchCondition},
        {"Branch Always", kInsBranchAlways},
        {"Move", kInsMove},
        {"Export", kInsExport},
        {"Import", kInsImport},
        {"1 Byte Define", kInsByteDefine},
        {"2 Bytes Define", kInsWordDefine},
        {"Define Storage", kInsDefineStorage},
        {"Equate", kInsEquate},
        {"Condition", kInsCondition},
        {"Include", kInsInclude},
    };
    static_assert(std::size(rows) == kInstructionGroupCount);
    int r = 1;
    for (const Row& row : rows) {
        grid->addWidget(label(row.text), r, 0);
        for (int set = 0; set < kInstructionSetCount; ++set) {
            QLineEdit* words = textField(
                d.instructions[static_cast<std::size_t>(set)][static_cast<std::size_t>(row.group)],
                TextKind::Internal, kInstructionLength, listSafe, kNoComma);
            words->setObjectName(QString("Instruction%1_%2").arg(set).arg(row.group));
            grid->addWidget(words, r, set + 1);
        }
        ++r;
    }
    auto* note = label("When you define more than one, please separate and describe in a space. ");
    note->setWordWrap(true);
    grid->addWidget(note, r, 0, 1, kInstructionSetCount + 1);
    grid->setRowStretch(r + 1, 1);
    for (int set = 0; set < kInstructionSetCount; ++set)
        grid->setColumnStretch(set + 1, 1);
    return page;
}

// --- "View" ------------------------------------------------------------------------------------

QWidget* TDevelop::buildViewPage() {
    Settings& d = sheet_.Draft();
    auto* page = new QWidget;
    auto* columns = new QHBoxLayout(page);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right, 1);

    // The chart's colours in the first column, the source's in the second.
    auto* colors = new QGroupBox(UiText("Color"));
    auto* colorGrid = new QGridLayout(colors);
    struct ColorButton {
        const char* text;
        int position;
        int column;
    };
    static constexpr ColorButton buttons[] = {
        {"Back", kColorBack, 0},           {"Text", kColorText, 0},
        {"Select", kColorSelect, 0},       {"Un Select", kColorUnselect, 0},
        {"Line", kColorLine, 0},           {"Sel. Line", kColorSelLine, 0},
        {"Undefined", kColorUndefined, 0}, {"Distribute", kColorDistribute, 0},
        {"Module", kColorModule, 1},       {"Comment", kColorComment, 1},
        {"Pre-Proc", kColorPreProc, 1},    {"Disable", kColorDisable, 1},
        {"Call", kColorCall, 1},           {"Block", kColorBlock, 1},
    };
    static_assert(std::size(buttons) == kTreeColorCount);
    int rowOf[2] = {0, 0};
    for (const ColorButton& b : buttons) {
        QPushButton* button = colorButton(b.text, b.position);
        button->setStyleSheet("text-align: left; padding: 3px 6px;");
        colorGrid->addWidget(button, rowOf[b.column]++, b.column);
    }
    colorGrid->setRowStretch(8, 1);
    left->addWidget(colors);

    auto* fonts = new QGroupBox(UiText("Font"));
    auto* fontGrid = new QGridLayout(fonts);
    fontRow(fontGrid, 0, "Tree", kFontTree);
    fontRow(fontGrid, 1, "  Print", kFontTreePrint);
    fontRow(fontGrid, 2, "Source", kFontSource);
    fontRow(fontGrid, 3, "  Print", kFontSourcePrint);
    fontGrid->setColumnStretch(1, 1);
    left->addWidget(fonts);
    left->addStretch();

    // The chart's geometry on screen and in print.
    auto* layout = new QGroupBox(UiText("Structure"));
    auto* layoutGrid = new QGridLayout(layout);
    layoutGrid->addWidget(label("View"), 0, 2, Qt::AlignRight);
    layoutGrid->addWidget(label("Print"), 0, 4, Qt::AlignRight);
    struct LayoutRow {
        const char* text;
        const NumberLimits* limits;
        bool divisor;
    };
    static constexpr LayoutRow layoutRows[] = {
        {"Charactors in Box : ", &kBoxCharsLimits, false},
        {"Box Shift : ", &kDivisorLimits, true},
        {"Connect Position :", &kDivisorLimits, true},
        {"Position(X) : ", &kPositionLimits, false},
        {"Position(Y) : ", &kPositionLimits, false},
    };
    for (int i = 0; i < 5; ++i) {
        const LayoutRow& row = layoutRows[i];
        layoutGrid->addWidget(label(row.text), i + 1, 0);
        QLineEdit* view = numberField(d.screen[static_cast<std::size_t>(i)], *row.limits);
        QLineEdit* print = numberField(d.print[static_cast<std::size_t>(i)], *row.limits);
        view->setObjectName(QString("Screen%1").arg(i));
        print->setObjectName(QString("Print%1").arg(i));
        if (row.divisor) {
            layoutGrid->addWidget(new QLabel("1/"), i + 1, 1, Qt::AlignRight);
            layoutGrid->addWidget(new QLabel("1/"), i + 1, 3, Qt::AlignRight);
        }
        layoutGrid->addWidget(view, i + 1, 2);
        layoutGrid->addWidget(print, i + 1, 4);
    }
    layoutGrid->addWidget(label("Line width : "), 6, 0);
    QLineEdit* pen = numberField(d.penSize, kPenSizeLimits);
    pen->setObjectName("PenSize");
    layoutGrid->addWidget(pen, 6, 2);
    layoutGrid->setColumnStretch(0, 1);
    right->addWidget(layout);

    auto* chart = new QGroupBox;
    auto* chartRows = new QVBoxLayout(chart);
    auto viewCheck = [&](const char* text, int item) {
        QCheckBox* box = checkBox(text, d.viewOpt[static_cast<std::size_t>(item)]);
        box->setObjectName(QString("ViewOpt%1").arg(item));
        return box;
    };
    chartRows->addWidget(viewCheck("View Module No.", kViewModuleNo));
    chartRows->addWidget(viewCheck("View Module Function", kViewModuleFunction));
    chartRows->addWidget(viewCheck("Except Viewed Module", kViewExceptViewed));
    QCheckBox* dotted = viewCheck("View doted line for undefined module", kViewDottedUndefined);
    dependsOn(dotted, SetupDependent::DottedUndefined);
    chartRows->addWidget(dotted);
    chartRows->addWidget(viewCheck("Except namespace or class name", kViewExceptNamespace));
    chartRows->addWidget(viewCheck("Viewless Box line ", kViewViewlessBoxLine));
    chartRows->addWidget(viewCheck("All call parts are chosen", kViewAllCallParts));
    right->addWidget(chart);

    auto* lists = new QGridLayout;
    auto addList = [&](int row, const char* text, QComboBox* list, const char* name) {
        list->setObjectName(name);
        lists->addWidget(label(text), row, 0);
        lists->addWidget(list, row, 1);
    };
    addList(0, "Folding Status",
            choiceList({"Disable", "Folding", "Expand"}, d.viewOpt[kViewTreeFolding]),
            "TreeFolding");
    addList(1, "Sort", choiceList({"Code", "Name", "Exec", "Path"}, d.viewOpt[kViewSort]), "Sort");
    addList(2, "Distribute",
            choiceList({"Nothing", "Execute", "Execute[%]", "Path", "Path[%]"},
                       d.viewOpt[kViewDistribute]),
            "Distribution");
    addList(3, "Language", choiceList({"Auto", "Japanese", "English"}, d.locale), "Locale");
    lists->setColumnStretch(2, 1);
    right->addLayout(lists);

    QCheckBox* flat = checkBox("Flat Tool Bar", d.flatToolBar);
    flat->setObjectName("FlatToolBar");
    right->addWidget(flat);
    QCheckBox* focus = checkBox("Auto Focus", d.moduleListOption[kListAutoFocus]);
    focus->setObjectName("AutoFocus");
    right->addWidget(focus);
    right->addStretch();
    return page;
}

// --- "View2" -----------------------------------------------------------------------------------

QWidget* TDevelop::buildView2Page() {
    Settings& d = sheet_.Draft();
    auto* page = new QWidget;
    auto* rows = new QVBoxLayout(page);

    auto* source = new QGroupBox(UiText("Source"));
    auto* grid = new QGridLayout(source);
    QCheckBox* lineNo = checkBox("View Line No. ------------------------", d.viewOpt[kViewLineNo]);
    lineNo->setObjectName("ViewOpt12");
    grid->addWidget(lineNo, 0, 0);
    auto* columnLabel = label("Column");
    QLineEdit* digits = numberField(d.viewOpt[kViewLineDigits], kLineDigitsLimits);
    digits->setObjectName("LineDigits");
    dependsOn(columnLabel, SetupDependent::LineDigits);
    dependsOn(digits, SetupDependent::LineDigits);
    grid->addWidget(columnLabel, 0, 1);
    grid->addWidget(digits, 0, 2);

    QCheckBox* column = checkBox("Line column select", d.moduleListOption[kListLineColumnSelect]);
    column->setObjectName("LineColumnSelect");
    grid->addWidget(column, 1, 0, 1, 4);

    grid->addWidget(label("Display Start Offset:"), 2, 0);
    QLineEdit* offset = numberField(d.moduleListOption[kListContextLines], kContextLinesLimits);
    offset->setObjectName("ContextLines");
    grid->addWidget(offset, 2, 2);
    grid->addWidget(label("Line"), 2, 3);

    QCheckBox* level = checkBox("View Block Level", d.viewOpt[kViewBlockLevel]);
    level->setObjectName("ViewOpt7");
    grid->addWidget(level, 3, 0, 1, 4);
    QCheckBox* figures = checkBox("View Block/Branch Chart", d.viewOpt[kViewBlockChart]);
    figures->setObjectName("ViewOpt9");
    grid->addWidget(figures, 4, 0, 1, 4);
    const std::pair<const char*, int> figureItems[] = {
        {"Horizontal Line", kViewHorizontalLine},
        {"Linkage( Exception Assembly Language )", kViewLinkage},
        {"Flowchart Like( Exception Assembly Language )", kViewFlowchart},
    };
    int r = 5;
    for (auto [text, item] : figureItems) {
        QCheckBox* box = checkBox(text, d.viewOpt[static_cast<std::size_t>(item)]);
        box->setObjectName(QString("ViewOpt%1").arg(item));
        dependsOn(box, SetupDependent::BlockFigures);
        grid->addWidget(indented(box), r++, 0, 1, 4);
    }
    auto* folding = new QHBoxLayout;
    folding->addWidget(label("Folding Status"));
    QComboBox* sourceFolding =
        choiceList({"Disable", "Folding", "Expand"}, d.viewOpt[kViewSourceFolding]);
    sourceFolding->setObjectName("SourceFolding");
    folding->addWidget(sourceFolding);
    folding->addStretch();
    grid->addLayout(folding, r, 0, 1, 4);
    grid->setColumnStretch(4, 1);
    rows->addWidget(source);

    auto* moduleList = new QGroupBox(UiText("Module List"));
    auto* listRows = new QVBoxLayout(moduleList);
    QCheckBox* undefined =
        checkBox("Not View Undefined Module", d.moduleListOption[kListNotViewUndefined]);
    undefined->setObjectName("NotViewUndefined");
    listRows->addWidget(undefined);
    rows->addWidget(moduleList);
    rows->addStretch();
    return page;
}

// --- "Analyze1" --------------------------------------------------------------------------------

void TDevelop::defineFileRow(QGridLayout* grid, int row, const char* text, int position,
                             std::string& path, const char* filter, const QString& patterns) {
    QCheckBox* use = checkBox(text, sheet_.Draft().anlyOpt[static_cast<std::size_t>(position)]);
    use->setObjectName(QString("AnlyOpt%1").arg(position));
    QLineEdit* file = textField(path, TextKind::Path, 4096);
    file->setObjectName(QString("DefineFile%1").arg(position));
    auto* change = new QPushButton(UiText("Chg"));
    change->setObjectName(QString("DefineChg%1").arg(position));
    auto* edit = new QPushButton(UiText("Edit"));
    edit->setObjectName(QString("DefineEdit%1").arg(position));
    connect(change, &QPushButton::clicked, this, [this, &path, file, filter, patterns] {
        const QString chosen = chooseFile(path, filter, patterns);
        if (!chosen.isEmpty())
            file->setText(chosen); // the field writes the path into the working copy
    });
    connect(edit, &QPushButton::clicked, this, [this, &path] { editDefineFile(path); });
    const SetupDependent rule = position == kAnlyExceptModule ? SetupDependent::ExceptModuleFile
                                                              : SetupDependent::DefineConstantFile;
    for (QWidget* w :
         {static_cast<QWidget*>(file), static_cast<QWidget*>(change), static_cast<QWidget*>(edit)})
        dependsOn(w, rule);
    grid->addWidget(use, row, 0);
    grid->addWidget(file, row, 1);
    grid->addWidget(change, row, 2);
    grid->addWidget(edit, row, 3);
}

QWidget* TDevelop::buildAnalyze1Page() {
    Settings& d = sheet_.Draft();
    auto* page = new QWidget;
    auto* rows = new QVBoxLayout(page);

    auto option = [&](const char* text, int position) {
        QCheckBox* box = checkBox(text, d.anlyOpt[static_cast<std::size_t>(position)]);
        box->setObjectName(QString("AnlyOpt%1").arg(position));
        return box;
    };
    auto* options = new QGridLayout;
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    options->addLayout(left, 0, 0, Qt::AlignTop);
    options->addLayout(right, 0, 1, Qt::AlignTop);

    left->addWidget(option("Delete Top '_' of Asm Module(C/C++ Link)", 0));
    left->addWidget(option("Delete Last '_' of Asm nodule(C/C++ Link)", 9));
    auto* decoration = new QHBoxLayout;
    decoration->addWidget(option("Delete Addr. Decoration Char :", kAnlyDecorationChars));
    QLineEdit* nameHead = textField(d.nameHead, TextKind::Internal, kNameHeadLength);
    nameHead->setObjectName("NameHead");
    nameHead->setMaximumWidth(nameHead->fontMetrics().horizontalAdvance(QString(10, 'M')));
    dependsOn(nameHead, SetupDependent::NameHead);
    decoration->addWidget(nameHead);
    decoration->addStretch();
    left->addLayout(decoration);
    left->addWidget(option("Detect Table Define Module(ASM only)", 5));
    left->addWidget(option("Combine Table Define Module(ASM,C/C++ only)", 8));
    left->addWidget(option("Identify Upper Case and Lower Case", 10));
    left->addWidget(option("Except Name for undefined module", 16));
    left->addWidget(option("Include File Add Automatically", 20));
    left->addWidget(option("Override #region to #endregion by Designer", 12));

    right->addWidget(option("Using Define Constant", kAnlyUseDefineConstant));
    QCheckBox* atInclude = option("Using Define Constant at include file", 4);
    dependsOn(atInclude, SetupDependent::IncludeFileConstants);
    right->addWidget(indented(atInclude));
    right->addWidget(option("Using Condition in File", 3));
    right->addWidget(option("Search Member Module for C++/C#", kAnlyMemberSearch));
    QCheckBox* memberLink = option("->xxx, .xxx Member Search and Link", 19);
    dependsOn(memberLink, SetupDependent::MemberLink);
    right->addWidget(indented(memberLink));
    right->addWidget(option("Combine Module/Class for C/C++", kAnlyCombineClass));
    for (auto [text, position] : {std::pair{"Except Class in Member Function", 14},
                                  std::pair{"Except Class Pointer Type", 15}}) {
        QCheckBox* box = option(text, position);
        dependsOn(box, SetupDependent::ClassOptions);
        right->addWidget(indented(box));
    }
    options->setColumnStretch(1, 1);
    rows->addLayout(options);

    auto* files = new QGridLayout;
    defineFileRow(files, 0, "Except Module", kAnlyExceptModule, d.exceptMdl,
                  "Exception define file (*.EXC)", "*.exc *.EXC");
    defineFileRow(files, 1, "Define Constant", kAnlyDefineConstant, d.constDef,
                  "Constant define file (*.DEF)", "*.def *.DEF");
    files->setColumnStretch(1, 1);
    rows->addLayout(files);

    auto* bottom = new QHBoxLayout;
    auto* restriction = new QGroupBox(UiText("restriction"));
    auto* limits = new QGridLayout(restriction);
    QSpinBox* layer = spinField(d.anlyOpt[kAnlyLayerLimit], kLayerLimits);
    layer->setObjectName("LayerLimit");
    QSpinBox* modules = spinField(d.anlyOpt[kAnlyModuleLimit], kModuleLimits);
    modules->setObjectName("ModuleLimit");
    limits->addWidget(label("layer :"), 0, 0);
    limits->addWidget(layer, 0, 1);
    limits->addWidget(label("Module :"), 1, 0);
    limits->addWidget(modules, 1, 1);
    limits->setRowStretch(2, 1);
    bottom->addWidget(restriction);

    auto* include = new QGroupBox(UiText("Include Path"));
    auto* includeRows = new QVBoxLayout(include);
    includePath_ = textField(
        d.includePath, TextKind::Path, kIncludePathLength,
        [](const std::string& text) {
            return text.size() <= static_cast<std::size_t>(kIncludePathLength);
        },
        "Path Size Limit Over");
    includePath_->setObjectName("IncludePath");
    includeRows->addWidget(includePath_);
    auto* buttons = new QHBoxLayout;
    auto* add = new QPushButton(UiText("Add"));
    add->setObjectName("IncludeAdd");
    auto* addLayer = new QPushButton(UiText("Add Layer"));
    addLayer->setObjectName("IncludeAddLayer");
    auto* clear = new QPushButton(UiText("Clear"));
    clear->setObjectName("IncludeClear");
    connect(add, &QPushButton::clicked, this, [this] { addIncludeFolder(false); });
    connect(addLayer, &QPushButton::clicked, this, [this] { addIncludeFolder(true); });
    connect(clear, &QPushButton::clicked, this, [this] { includePath_->clear(); });
    buttons->addStretch();
    buttons->addWidget(add);
    buttons->addWidget(addLayer);
    buttons->addWidget(clear);
    includeRows->addLayout(buttons);
    includeRows->addStretch();
    bottom->addWidget(include, 1);
    rows->addLayout(bottom);
    rows->addStretch();
    return page;
}

// --- "Analyze2" --------------------------------------------------------------------------------

QWidget* TDevelop::buildAnalyze2Page() {
    Settings& d = sheet_.Draft();
    auto* page = new QWidget;
    auto* rows = new QVBoxLayout(page);

    auto* comment = new QGroupBox(UiText("Comment"));
    auto* grid = new QGridLayout(comment);
    struct Field {
        const char* text;
        int index;
        int column;
    };
    // Fields 0 to 3 are the labels of a header comment, 4 its separator, 5 to 9 further labels.
    static constexpr Field fields[] = {
        {"No.", 0, 0},
        {"Name", 1, 0},
        {"Function", 2, 0},
        {"Remarks", 3, 0},
        {"Separate Char( <3 )", 4, 0},
        {"Format", 5, 1},
        {"param.", 6, 1},
        {"Return", 7, 1},
        {"Call", 8, 1},
        {"Common", 9, 1},
    };
    int rowOf[2] = {0, 0};
    for (const Field& f : fields) {
        const int length = f.index == 4 ? kSeparatorLength : kNameLength;
        QLineEdit* edit = textField(d.comment[static_cast<std::size_t>(f.index)],
                                    TextKind::Internal, length, listSafe, kNoComma);
        edit->setObjectName(QString("Comment%1").arg(f.index));
        const int row = rowOf[f.column]++;
        grid->addWidget(label(f.text), row, f.column * 2);
        grid->addWidget(edit, row, f.column * 2 + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setHorizontalSpacing(12);
    rows->addWidget(comment);

    auto* count = new QGroupBox(UiText("Count Option"));
    auto* countRows = new QVBoxLayout(count);
    const char* const counts[] = {"Separately Count Only '{','}' Line(C/C++)",
                                  "No Count Label Only Line(ASM)",
                                  "Separately Count Define Storage(ASM)"};
    for (int i = 0; i < 3; ++i) {
        QCheckBox* box = checkBox(counts[i], d.countOpt[static_cast<std::size_t>(i)]);
        box->setObjectName(QString("CountOpt%1").arg(i));
        countRows->addWidget(box);
    }
    rows->addWidget(count);
    rows->addStretch();
    return page;
}

// --- "Other" -----------------------------------------------------------------------------------

QWidget* TDevelop::buildOtherPage() {
    Settings& d = sheet_.Draft();
    auto* page = new QWidget;
    auto* rows = new QVBoxLayout(page);

    auto* clipboard = new QGroupBox(UiText("Clipboard"));
    auto* clipRows = new QVBoxLayout(clipboard);
    QRadioButton* comma = radioButton("Comma Separate", d.clipboardOut, 0);
    comma->setObjectName("CommaSeparate");
    auto* tab = new QRadioButton(UiText("TAB Separate"));
    tab->setObjectName("TabSeparate");
    tab->setChecked(d.clipboardOut != 0);
    connect(tab, &QRadioButton::toggled, this, [&d](bool on) {
        if (on)
            d.clipboardOut = 1;
    });
    clipRows->addWidget(comma);
    clipRows->addWidget(tab);
    QCheckBox* pathName = checkBox("Except path Name", d.clipboardPathName);
    pathName->setObjectName("ClipboardPathName");
    clipRows->addWidget(pathName);
    rows->addWidget(clipboard);

    QCheckBox* callInfo = checkBox("Open Call Information Dialog", d.viewOpt[kViewOpenCallInfo]);
    callInfo->setObjectName("ViewOpt10");
    rows->addWidget(callInfo);

    auto* editor = new QGroupBox;
    auto* grid = new QGridLayout(editor);
    QCheckBox* open = checkBox("Editor", d.editorOpen);
    open->setObjectName("EditorOpen");
    grid->addWidget(open, 0, 0, 1, 3);
    QLineEdit* name = textField(d.editorName, TextKind::Path, 4096);
    name->setObjectName("EditorName");
    auto* change = new QPushButton(UiText("Chg"));
    change->setObjectName("EditorChg");
    connect(change, &QPushButton::clicked, this, [this, name] {
        const QString chosen = chooseFile(sheet_.Draft().editorName, "Editor (*)", "*");
        if (!chosen.isEmpty())
            name->setText(chosen);
    });
    auto* optionLabel = label("Option");
    QLineEdit* option = textField(d.editorOption, TextKind::Path, 1024);
    option->setObjectName("EditorOption");
    auto* explain = label("(%f : Filename, %l : Display Start Line)");
    auto* nameLabel = label("Program");
    for (QWidget* w : {static_cast<QWidget*>(nameLabel), static_cast<QWidget*>(name),
                       static_cast<QWidget*>(change), static_cast<QWidget*>(optionLabel),
                       static_cast<QWidget*>(option), static_cast<QWidget*>(explain)})
        dependsOn(w, SetupDependent::EditorFields);
    grid->addWidget(nameLabel, 1, 0);
    grid->addWidget(name, 1, 1);
    grid->addWidget(change, 1, 2);
    grid->addWidget(optionLabel, 2, 0);
    grid->addWidget(option, 2, 1);
    grid->addWidget(explain, 3, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    rows->addWidget(editor);
    rows->addStretch();
    return page;
}

} // namespace lumbra::gui

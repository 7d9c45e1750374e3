// SPDX-License-Identifier: MIT
// The whole road through the real main window, offscreen: files written from the input are
// opened, calculated on with entry texts from the input, and saved, in an order the input gives.
// After every step the all-or-nothing rule and the finiteness of what is kept are checked.
//
// Input: the op count (1..16), the op bytes, then raw new point count text, NUL, raw order text,
// NUL, a.arf, NUL, b.arf. An op byte is (argument << 3) | kind; see runOp for the kinds.
#include "FuzzCheck.h"

#include "common/MessageService.h"
#include "common/Module_Common.h"
#include "io/ArfReader.h"
#include "numerics/Module_Interp.h"
#include "support/WorkingSetChecks.h"
#include "ui/AirfoilView.h"
#include "ui/FileBrowser.h"
#include "ui/Form_Main.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

using namespace tessaro;

namespace {

constexpr int MaxOps = 16;

const char *const kNiTexts[] = {"51",   "2",      "3",     "1",    "0",      "-5",        "1000",
                                "1001", "1000.9", "999.5", "51.7", "1e3",    "1e999",     "-1e999",
                                "",     "a",      "5 1",   "2.5",  "1E-300", "4",         "10",
                                "101",  "-0",     "7",     "200",  "999",    "1.0000001", "33",
                                "6",    "12",     "40"};
const char *const kOrderTexts[] = {"0",  "1",   "2",   "3",    "4",      "5",     "6",  "7",
                                   "10", "100", "101", "-1",   "1.5",    "1e999", "",   "60",
                                   "99", "20",  "8",   "-0",   "2e0",    "x",     "50", "30",
                                   "9",  "11",  "15",  "1e-9", "-1e999", "0.5",   "12"};
const char *const kFileNames[] = {"a.arf", "b.arf", "out.arf"};

// The scratch folder every input starts from empty; it is the working directory.
QString *workDir = nullptr;
QStringList *messages = nullptr;
// The questions asked (before a save replaces a file) and the answer the next one gets.
QStringList *questions = nullptr;
bool answerYes = true;
// FUZZ_ROAD_TRACE=1 prints every step and its messages, for replaying one input by hand.
bool trace = false;

template <typename T> T *child(Form_Main &window, const char *name) {
    T *found = window.findChild<T *>(QString::fromLatin1(name));
    FUZZ_CHECK(found != nullptr);
    return found;
}

std::optional<QByteArray> fileBytes(const QString &name) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

// Written numbers never spell out a non-finite value.
bool hasNonFiniteText(const QByteArray &bytes) {
    const QByteArray lower = bytes.toLower();
    return lower.contains("nan") || lower.contains("inf");
}

bool titleRoundTrips(const QByteArray &title) {
    for (char c : title) {
        if (c == ',' || c == '"' || c == '\r' || c == '\n')
            return false;
    }
    return title.isEmpty() || (title.front() != ' ' && title.front() != '\t');
}

// A copy of the picture would be detached by the next drawing at the cost of a full image copy
// per step; a 64-bit hash of its pixels tells a change as well.
struct PictureKey {
    QSize size;
    std::size_t hash = 0;
    bool operator==(const PictureKey &) const = default;
};

PictureKey pictureKey(const QImage &image) {
    return {image.size(), qHashBits(image.constBits(), std::size_t(image.sizeInBytes()))};
}

struct Snapshot {
    Module_Common ws;
    QByteArray title;
    QByteArray outTitle;
    PictureKey picture;
};

class Road {
  public:
    Road(QByteArray niRaw, QByteArray orderRaw) : niRaw(niRaw), orderRaw(orderRaw) {
        window = std::make_unique<Form_Main>();
    }

    // Kinds: 0 open a file, 1 calculate, 2 new point count text, 3 order text, 4 method (from
    // argument 16 on, the own-trailing-edge box instead, or with 8 also set the leading-edge box),
    // 5 save under a name (answering No to a question of replacing a file for arguments 7 to 13
    // and 21 to 27), 6 move a scroll bar, 7 open a file that vanishes before the click.
    void runOp(std::uint8_t op) {
        const int kind = op & 7;
        const int arg = op >> 3;
        if (trace)
            std::fprintf(stderr, "step kind %d argument %d\n", kind, arg);
        switch (kind) {
        case 0:
            load(kFileNames[arg % 3], false);
            break;
        case 1:
            calculate();
            break;
        case 2:
            child<QLineEdit>(*window, "Text_NI")
                ->setText(arg == 31 ? QString::fromUtf8(niRaw)
                                    : QString::fromLatin1(kNiTexts[arg % std::size(kNiTexts)]));
            break;
        case 3:
            child<QLineEdit>(*window, "Text_nPoly")
                ->setText(arg == 31
                              ? QString::fromUtf8(orderRaw)
                              : QString::fromLatin1(kOrderTexts[arg % std::size(kOrderTexts)]));
            break;
        case 4:
            if (arg & 16)
                child<QCheckBox>(*window, (arg & 8) ? "Check_LeadingEdge" : "Check_TrailingEdges")
                    ->toggle();
            else
                setMethod(arg % 3);
            break;
        case 5:
            answerYes = (arg / 7) % 2 == 0;
            save(arg % 7);
            break;
        case 6:
            scroll(arg);
            break;
        default:
            load(kFileNames[arg % 3], true);
            break;
        }
    }

  private:
    Snapshot snapshot() const {
        return {common(), window->title(), window->outTitle(),
                pictureKey(child<AirfoilView>(*window, "Picture_Airfoil")->picture())};
    }

    // What every step leaves behind, message or not.
    void checkAfterStep(const Snapshot &before) const {
        if (trace) {
            for (const QString &text : *messages)
                std::fprintf(stderr, "  message: %s\n", qPrintable(text));
            std::fprintf(stderr, "  N %d NI %g FileLoaded %d\n", common().N, common().niValue(),
                         int(common().FileLoaded));
        }
        FUZZ_CHECK(messages->size() <= 1);
        const Module_Common &ws = common();
        FUZZ_CHECK(ws.N >= 0 && ws.N <= MaxIndex);
        if (ws.NI)
            FUZZ_CHECK(std::floor(*ws.NI) <= MaxIndex);
        if (!messages->isEmpty()) {
            FUZZ_CHECK(sameWorkingSet(ws, before.ws));
            FUZZ_CHECK(window->title() == before.title);
            FUZZ_CHECK(window->outTitle() == before.outTitle);
            FUZZ_CHECK(pictureKey(child<AirfoilView>(*window, "Picture_Airfoil")->picture()) ==
                       before.picture);
        } else {
            const int count = wholeCount(ws.niValue());
            for (int i = 1; i <= count; ++i)
                FUZZ_CHECK(std::isfinite(ws.XN[i]) && std::isfinite(ws.YN[i]));
        }
        if (const auto dump = fileBytes(QStringLiteral("DivDif.text")))
            FUZZ_CHECK(!hasNonFiniteText(*dump));
    }

    // Opens the menu and clicks a name the list shows; with vanish, the file disappears between
    // the listing and the click.
    void load(const char *name, bool vanish) {
        child<QAction>(*window, "Mn_Open")->trigger();
        auto *files = child<FileList>(*window, "File1");
        files->setFileName(QString::fromLatin1(name));
        if (files->fileName() != QLatin1String(name))
            return; // not listed, so there is nothing to click
        if (vanish)
            QFile::remove(QString::fromLatin1(name));
        const std::optional<QByteArray> bytes = fileBytes(QString::fromLatin1(name));
        const bool readable = bytes && parseArf(*bytes).has_value();

        const Snapshot before = snapshot();
        messages->clear();
        emit files->fileChosen();
        checkAfterStep(before);
        if (readable) {
            FUZZ_CHECK(messages->isEmpty());
            FUZZ_CHECK(common().FileLoaded);
        } else {
            FUZZ_CHECK(*messages == QStringList{QString::fromUtf8("Hata oluştu")});
        }
    }

    void calculate() {
        const Snapshot before = snapshot();
        const std::optional<QByteArray> dumpBefore = fileBytes(QStringLiteral("DivDif.text"));
        const auto tableBefore = std::make_unique<DivDiffTable>(DD());
        messages->clear();
        child<QPushButton>(*window, "Command1")->click();
        checkAfterStep(before);
        if (messages->isEmpty()) {
            FUZZ_CHECK(window->outTitle() == window->title() + " - redistributed");
            return;
        }
        // Only a pass stopped after the table was built may leave the new table behind.
        const QString &message = messages->front();
        const bool tableKept =
            method == 1 && (message.startsWith(QLatin1String("Interpolation point x = ")) ||
                            message.startsWith(QLatin1String("The interpolated y of new point")));
        if (!tableKept) {
            FUZZ_CHECK(fileBytes(QStringLiteral("DivDif.text")) == dumpBefore);
            FUZZ_CHECK(std::memcmp(tableBefore->data(), DD().data(), sizeof(DivDiffTable)) == 0);
        }
    }

    void setMethod(int choice) {
        method = choice;
        auto *lagrange = child<QRadioButton>(*window, "Option_Lagrange");
        auto *divDiff = child<QRadioButton>(*window, "Option_DivDiff");
        if (choice == 0) {
            lagrange->setChecked(true);
        } else if (choice == 1) {
            divDiff->setChecked(true);
        } else {
            // Neither: the exclusive group only lets go with exclusivity off.
            for (QRadioButton *button : {lagrange, divDiff}) {
                button->setAutoExclusive(false);
                button->setChecked(false);
                button->setAutoExclusive(true);
            }
        }
    }

    void save(int choice) {
        const char *const names[] = {"out.arf", "a.arf", "b.arf", "", "nodir/x.arf", "."};
        child<QAction>(*window, "Mn_Save")->trigger();
        auto *text = child<QLineEdit>(*window, "Text_Save");
        if (choice < 6)
            text->setText(QString::fromLatin1(names[choice]));
        const QString name = text->text();
        const std::optional<QByteArray> targetBefore =
            name.isEmpty() ? std::nullopt : fileBytes(name);

        const bool existed = !name.isEmpty() && QFileInfo(name).isFile();
        const Snapshot before = snapshot();
        messages->clear();
        questions->clear();
        child<QPushButton>(*window, "Command_Save")->click();
        checkAfterStep(before);
        // Only a file that is there is asked about, and then before anything is written.
        FUZZ_CHECK(questions->size() <= 1);
        if (!questions->isEmpty())
            FUZZ_CHECK(existed);
        if (!messages->isEmpty() || (!questions->isEmpty() && !answerYes)) {
            if (!name.isEmpty())
                FUZZ_CHECK(fileBytes(name) == targetBefore);
            return;
        }

        const std::optional<QByteArray> saved = fileBytes(name);
        FUZZ_CHECK(saved.has_value());
        const QByteArray head = window->outTitle() + "\r\n";
        FUZZ_CHECK(saved->startsWith(head));
        FUZZ_CHECK(!hasNonFiniteText(saved->mid(head.size())));

        // Every file a save writes reads back, with floor(NI) points; a plain title as it was.
        const Module_Common &ws = common();
        const double NI = ws.niValue();
        FUZZ_CHECK(ws.NI && NI >= 1 && NI < MaxIndex + 1);
        if (!titleRoundTrips(window->outTitle()))
            return;
        const std::optional<ArfFile> again = parseArf(*saved);
        FUZZ_CHECK(again.has_value());
        FUZZ_CHECK(again->N == wholeCount(NI));
        FUZZ_CHECK(again->title == window->outTitle());
        for (int i = 1; i <= again->N; ++i) {
            for (const auto &[written, read] :
                 {std::pair{ws.XN[i], again->X[i]}, std::pair{ws.YN[i], again->Y[i]}}) {
                if (std::fabs(written) < 1e15)
                    FUZZ_CHECK(std::fabs(written - read) <= 5e-6 + 6e-15 * std::fabs(written));
            }
        }
    }

    void scroll(int arg) {
        const char *const bars[] = {"HScroll_Olcek", "HScroll_X0", "VScroll_Y0"};
        auto *bar = child<QScrollBar>(*window, bars[arg % 3]);
        const int span = bar->maximum() - bar->minimum();
        const Snapshot before = snapshot();
        messages->clear();
        bar->setValue(bar->minimum() + (arg / 3) * span / 10);
        checkAfterStep(before);
        FUZZ_CHECK(messages->isEmpty());
    }

    QByteArray niRaw;
    QByteArray orderRaw;
    int method = 0;
    std::unique_ptr<Form_Main> window;
};

// Splits off the part up to the next NUL; the last part takes the rest.
QByteArray takePart(const std::uint8_t *&data, std::size_t &size, bool last) {
    const auto *begin = reinterpret_cast<const char *>(data);
    std::size_t length = size;
    if (!last) {
        const void *nul = std::memchr(data, 0, size);
        if (nul)
            length = static_cast<const std::uint8_t *>(nul) - data;
    }
    QByteArray part(begin, qsizetype(length));
    const std::size_t used = length < size ? length + 1 : length;
    data += used;
    size -= used;
    return part;
}

// Length of the part before the file bodies: count byte, ops and the two raw texts.
std::size_t headerLength(const std::uint8_t *data, std::size_t size) {
    std::size_t at = std::min<std::size_t>(1 + data[0], size);
    for (int nul = 0; nul < 2 && at < size; ++at) {
        if (data[at] == 0)
            ++nul;
    }
    return at;
}

void clearWorkDir() {
    QDir dir(*workDir);
    for (const QString &name :
         dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString path = dir.filePath(name);
        if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink())
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
    }
}

void writeFile(const char *name, const QByteArray &bytes) {
    QFile file(QString::fromLatin1(name));
    FUZZ_CHECK(file.open(QIODevice::WriteOnly));
    FUZZ_CHECK(file.write(bytes) == bytes.size());
}

} // namespace

// Fontconfig keeps the patterns behind font fallbacks (titles in unusual scripts) until the
// process ends, and the leak check at exit reports them; they are neither ours nor Qt's to free.
extern "C" const char *__lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

// Most bytes are file bodies, so plain mutation seldom touches the road itself. One time in
// three only the header (ops and entry texts) is mutated, the file bodies kept as they are.
extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t *data, std::size_t size, std::size_t maxSize);

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t *data, std::size_t size,
                                               std::size_t maxSize, unsigned int seed) {
    if (size < 2 || seed % 3 != 0)
        return LLVMFuzzerMutate(data, size, maxSize);
    const std::size_t header = headerLength(data, size);
    const std::size_t tail = size - header;
    std::vector<std::uint8_t> rest(data + header, data + size);
    const std::size_t grown = LLVMFuzzerMutate(data, header, maxSize - tail);
    if (tail > 0)
        std::memcpy(data + grown, rest.data(), tail);
    return grown + tail;
}

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    trace = qEnvironmentVariableIntValue("FUZZ_ROAD_TRACE") != 0;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // One folder holds the scratch folder and the runtime folder Qt asks for, so a crash that
    // skips the clean-up leaves one folder behind.
    static QTemporaryDir top(QDir::tempPath() + QStringLiteral("/tessaro-fuzz-road-XXXXXX"));
    FUZZ_CHECK(top.isValid());
    const QDir topDir(top.path());
    FUZZ_CHECK(topDir.mkdir(QStringLiteral("work")) && topDir.mkdir(QStringLiteral("runtime")));
    FUZZ_CHECK(QFile::setPermissions(topDir.filePath(QStringLiteral("runtime")),
                                     QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(topDir.filePath(QStringLiteral("runtime"))));
    static QString work = topDir.filePath(QStringLiteral("work"));
    workDir = &work;

    static int argc = 1;
    static char name[] = "fuzz_road";
    static char *argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    // Relative names, DivDif.text among them, land in the scratch folder.
    FUZZ_CHECK(QDir::setCurrent(work));

    static QStringList shown;
    messages = &shown;
    setMessageHandler([](const QString &text, const QString &) { shown << text; });
    static QStringList asked;
    questions = &asked;
    setQuestionHandler([](const QString &text) {
        asked << text;
        return answerYes;
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0)
        return -1;
    const std::size_t opCount = std::min<std::size_t>(data[0], size - 1);
    if (opCount == 0 || opCount > MaxOps)
        return -1; // keeps the corpus to inputs with a short road
    const QByteArray ops(reinterpret_cast<const char *>(data + 1), qsizetype(opCount));
    data += 1 + opCount;
    size -= 1 + opCount;
    const QByteArray niRaw = takePart(data, size, false);
    const QByteArray orderRaw = takePart(data, size, false);
    const QByteArray first = takePart(data, size, false);
    const QByteArray second = takePart(data, size, true);

    clearWorkDir();
    writeFile("a.arf", first);
    writeFile("b.arf", second);
    resetCommon();
    DD() = DivDiffTable{};

    Road road(niRaw, orderRaw);
    for (char op : ops)
        road.runOp(static_cast<std::uint8_t>(op));
    return 0;
}

// SPDX-License-Identifier: MIT
// Tessaro's redistribution of airfoil contours as a library: values in, values out, failures as
// exceptions. Standard C++20 only; every call works on its own data, so calls from several
// threads at once are safe.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#if defined(TESSARO_BUILDING_LIBRARY)
#define TESSARO_API __attribute__((visibility("default")))
#else
#define TESSARO_API
#endif

namespace tessaro {

struct Point {
    double x = 0, y = 0;
};

// The layouts a coordinate file may have: the program's own .arf, Selig (name line, then x y from
// one trailing edge round the nose to the other) and Lednicer (name line, counts, then each
// surface from the nose).
enum class Layout { Arf, Selig, Lednicer };

// A coordinate file as read: its name (the title's bytes as they stand in the file), its points
// in file order, in the file's own units, and the layout it was told to have.
struct Section {
    std::string name;
    std::vector<Point> points;
    Layout layout = Layout::Selig;
};

// Reads a coordinate file of any layout, told apart by its content. Throws FileError when the
// file cannot be read, FormatError when its bytes are not a coordinate file.
TESSARO_API Section readSection(const std::filesystem::path &path);

// The same for bytes already in memory; fileName names the file in messages and, without its
// extension, is the name of a Selig file without a name line.
TESSARO_API Section parseSection(std::string_view bytes, std::string_view fileName);

enum class Method { Lagrange, DividedDifferences };

// Specified: x alone scaled onto 0..1 from the point of least x, both surfaces ending at the same
// x. OwnTrailingEdges: each surface scaled over its own length, both trailing-edge points kept.
// LeadingEdge: the section moved, turned and scaled, x and y alike, so that its true nose is
// (0, 0) and its trailing edge (1, 0); each surface keeps its own trailing edge.
enum class Mode { Specified, OwnTrailingEdges, LeadingEdge };

struct Options {
    int points = 161; // new points, 2..1000
    int order = 3;    // order of the interpolation polynomials, 0..100 and below the point count
    Method method = Method::Lagrange;
    Mode mode = Mode::Specified;
    // LeadingEdge only: give the new points back in the contour's own position, scale and
    // incidence instead of the normalised frame.
    bool keepFrame = false;
};

// A figure of merit and where it is reached: the point read (1-based, as in the contour) and
// its x in the frame the calculation scaled to.
struct Figure {
    double value = 0;
    double x = 0;
    int point = 0;
};

// The frame of the leading-edge mode: normalised = rotate(file - nose, angle) / chord, the
// rotation counter-clockwise by angle (radians), so the nose goes to (0, 0) and the trailing edge
// to (1, 0).
struct Frame {
    Point nose;
    double angle = 0;
    double chord = 1;
};

enum class WarningKind {
    Stretched, // x alone was scaled by a factor far from 1, so the section's shape changed
    Damaged,   // a point read is far off the curve through its neighbours
    Unchecked, // too few points to check the order: the result is unchecked
    Strays,    // a new point lies far from the polygon through the points read
};

struct Warning {
    WarningKind kind = WarningKind::Stretched;
    std::string text;
};

struct Result {
    std::vector<Point> points; // the new points
    // The order check (is the order right for these points?) and the panel fit (are there enough
    // new points?); empty where there is none.
    std::optional<Figure> orderCheck, panelFit;
    std::vector<Warning> warnings;
    std::optional<Frame> frame; // LeadingEdge only
    double chord = 0;           // what x was divided by, in the contour's units
};

// Redistributes the contour (file order: trailing edge, one surface, nose, other surface,
// trailing edge) to options.points new points. The contour is not changed. Throws
// std::invalid_argument for options or contours that are refused before anything runs, and
// Refused for whatever the calculation itself refuses.
TESSARO_API Result redistribute(std::span<const Point> contour, const Options &options = {});

// The bytes of a coordinate file of the points under name: Arf (the program's save) or Selig (its
// export). Line breaks in name become blanks. Throws std::invalid_argument for Lednicer, for no
// point or more than 1000, and for values that are not finite or would not read back.
TESSARO_API std::string formatSection(std::span<const Point> points, std::string_view name,
                                      Layout layout);

// Writes formatSection's bytes to path so that a file already there is replaced only once the
// whole text is on disk. Throws FileError when it cannot be written, the existing file then left
// as it was.
TESSARO_API void writeSection(const std::filesystem::path &path, std::span<const Point> points,
                              std::string_view name, Layout layout);

// What the calculation refused, with its message; suggestion() names a mode that might serve.
class TESSARO_API Refused : public std::invalid_argument {
  public:
    enum class Suggestion {
        None,
        OwnTrailingEdges, // a point lies beyond the other surface's trailing edge
        LeadingEdgeOff,   // the leading-edge mode failed where Specified might not
    };
    Refused(const std::string &message, Suggestion suggestion);
    ~Refused() override;
    Suggestion suggestion() const noexcept { return suggestion_; }

  private:
    Suggestion suggestion_;
};

// A file that cannot be read or written; the message is the one the window shows.
class TESSARO_API FileError : public std::runtime_error {
  public:
    enum class Kind { NotFound, Folder, NotRegularFile, TooLarge, CannotRead, CannotWrite };
    FileError(const std::string &message, Kind kind);
    ~FileError() override;
    Kind kind() const noexcept { return kind_; }

  private:
    Kind kind_;
};

// A file that was read but is not a coordinate file of a known layout: Import's message, naming
// the line and what is wrong.
class TESSARO_API FormatError : public std::invalid_argument {
  public:
    explicit FormatError(const std::string &message);
    ~FormatError() override;
};

// The library's version, "major.minor.patch".
TESSARO_API std::string_view version() noexcept;

} // namespace tessaro

// Every requester the program shows (message, Yes/No, Yes/No/Cancel, input,
// open and save file, folder, colour, font, print) goes through this one
// interface. The Qt implementation shows dialogs; tests use
// ScriptedRequesters, which answers from a script and never blocks.
// While a requester is up the dispatcher holds, so timers, drops and
// control-link commands wait until it is answered.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

class QPrinter;

namespace vendle {

class Dispatcher;

enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

// A file pattern list as the program writes it ("Basic (*.bas)|*.bas|All files (*.*)|*.*").
struct FileRequest {
  QString title;
  QString initialPath;  // folder, or folder + name
  QString patterns;
  int patternIndex = 0;
};

struct FontChoice {
  QString name;
  int size = 0;
};

// A requester that opens over a window of the program other than the main
// window: that window's number, and the screen position of its top left.
struct RequesterPlace {
  int window = 0;
  int x = 0;
  int y = 0;
};

// What a script chooses in the print requester; the Qt requester lets the
// user set up the printer itself.
// The pages of a job the print dialog keeps for itself: all, odd or even.
enum class PageSet { All, Odd, Even };

struct PrintChoice {
  int copies = 1;
  int fromPage = 0;  // 0: all pages
  int toPage = 0;
  QString pageList;  // pages and ranges, "1,3,5-6"; before fromPage and toPage
  QString outputFile;  // a PDF file instead of a printer, when set
  QString printerName;  // the chosen printer; empty: the default one
  PageSet pageSet = PageSet::All;
};

class Requesters {
 public:
  virtual ~Requesters() = default;

  void setDispatcher(Dispatcher* d) { dispatcher_ = d; }

  // A close request from outside (SIGTERM) while requesters stand: they are
  // closed as cancelled, and every further one is answered at once the
  // same way until `stopDismissing`, so the close can run.
  void dismissStanding() {
    dismissing_ = true;
    doDismissStanding();
  }
  void stopDismissing() { dismissing_ = false; }
  bool dismissing() const { return dismissing_; }

  void message(const QString& title, const QString& text);
  Answer ask(const QString& title, const QString& text, Buttons buttons);
  std::optional<QString> input(const QString& title, const QString& prompt, const QString& initial);
  std::optional<QString> openFile(const FileRequest& r);
  std::optional<QString> saveFile(const FileRequest& r);
  std::optional<QString> folder(const QString& title, const QString& initial);
  std::optional<std::uint32_t> colour(std::uint32_t initialBgr);  // 0x00BBGGRR
  std::optional<std::uint32_t> colour(std::uint32_t initialBgr, const RequesterPlace& place);
  std::optional<FontChoice> font(const FontChoice& initial);
  // Sets up `printer` (a QPrinter; the requester shows the platform's
  // print dialog on it): the job prints on that printer, with every choice
  // made there, and the page set it returns. Nothing when cancelled.
  std::optional<PageSet> print(QPrinter& printer);

 protected:
  virtual void doMessage(const QString& title, const QString& text) = 0;
  virtual Answer doAsk(const QString& title, const QString& text, Buttons buttons) = 0;
  virtual std::optional<QString> doInput(const QString& title, const QString& prompt, const QString& initial) = 0;
  virtual std::optional<QString> doOpenFile(const FileRequest& r) = 0;
  virtual std::optional<QString> doSaveFile(const FileRequest& r) = 0;
  virtual std::optional<QString> doFolder(const QString& title, const QString& initial) = 0;
  virtual std::optional<std::uint32_t> doColour(std::uint32_t initialBgr) = 0;
  virtual std::optional<std::uint32_t> doColourAt(std::uint32_t initialBgr, const RequesterPlace&) {
    return doColour(initialBgr);
  }
  virtual std::optional<FontChoice> doFont(const FontChoice& initial) = 0;
  virtual std::optional<PageSet> doPrint(QPrinter& printer) = 0;
  virtual void doDismissStanding() {}

 private:
  Dispatcher* dispatcher_ = nullptr;
  bool dismissing_ = false;
};

// "Basic (*.bas)|*.bas|All files (*.*)|*.*" -> Qt name filters
// {"Basic (*.bas)", "All files (*)"}: the texts stay, the patterns are taken
// from the odd fields and "*.*" becomes "*" (which also matches names
// without a dot).
QStringList ConvertPatternList(const QString& patterns);

}  // namespace vendle

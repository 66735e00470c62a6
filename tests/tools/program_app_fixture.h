// A running editor with one program file of the test's open in it: the
// fixture of the tests that post a command for the current program.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "app_driver.h"
#include "documents/document_list.h"
#include "documents/ui/document_commands.h"
#include "editor/ui/editor_view.h"
#include "editor/ui/text_access.h"
#include "platform/ids.h"
#include "test_files.h"

namespace vendle::test {

class ProgramApp : public ::testing::Test {
 protected:
  // `files` writes the program and what it needs below the sandbox root
  // before the editor starts; `prepare` fills the data folder as in
  // DriverOptions. The editor then opens `program` (relative to the root).
  void open(const QString& program, const std::function<void(const QString& root)>& files,
            std::function<void(const QString& dataFolder)> prepare = {}) {
    DriverOptions options;
    options.start = false;
    options.prepare = std::move(prepare);
    driver = std::make_unique<AppDriver>(options);
    path = driver->root() + program;
    files(driver->root());
    driver->start();
    OpenDocument(app(), path, false);
    ed = CurrentEditor(app());
  }
  App& app() { return driver->app(); }
  DocumentRecord* Current() { return app().state().docs.list.current(); }
  Sci s() { return ed->sci(); }
  void Menu(Item item) {
    driver->menu(item);
    driver->processEvents();
  }

  std::unique_ptr<AppDriver> driver;
  QString path;
  EditorView* ed = nullptr;
};

}  // namespace vendle::test

#include "support/main_window_fixture.h"

#include <fstream>
#include <sstream>

namespace varokin::fixtures {

MainWindowTest::Session::Session(MainWindowTest& test)
    : relocator(*test.fs, test.prompts, test.startup),
      ctx{*test.fs, test.prompts, *test.settings, test.startup, state, relocator, packs},
      dlg(ctx, window.Controls()) {
  dlg.frontEnd.dialogs = &test.dialogs;
}

MainWindowTest::MainWindowTest()
    : settingsFolder(FreshFolder()),
      settings(std::make_unique<settings::SettingsStore>(
          *fs, (settingsFolder / "Varokin.INI").string())) {
  startup.warnModifiedFiles = true;
  startup.warnCustomExe = true;
}

MainWindowTest::~MainWindowTest() {
  session_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(settingsFolder, ignored);
}

void MainWindowTest::Start() {
  session_.reset();
  session_ = std::make_unique<Session>(*this);
  EXPECT_TRUE(session_->dlg.OnInitDialog());
}

std::string MainWindowTest::Setting(const std::string& section, const std::string& entry) {
  return settings->GetProfileString(section, entry, "<missing>");
}

std::string MainWindowTest::SettingsFileText() const {
  std::ifstream file(settingsFolder / "Varokin.INI", std::ios::binary);
  std::ostringstream contents;
  contents << file.rdbuf();
  return contents.str();
}

void MainWindowTest::Remember(const std::string& section, const std::string& entry,
                              const std::string& value) {
  ASSERT_TRUE(settings->WriteProfileString(section, entry, value));
}

std::vector<std::string> MainWindowTest::Rows(const ui::ListBox& list) {
  std::vector<std::string> rows;
  for (int row = 0; row < list.GetCount(); ++row) rows.push_back(list.GetText(row));
  return rows;
}

std::vector<std::string> MainWindowTest::Selected(const ui::ListBox& list) {
  std::vector<std::string> rows;
  for (int row = 0; row < list.GetCount(); ++row) {
    const bool selected = list.IsMultipleSelection() ? list.GetSel(row) : list.GetCurSel() == row;
    if (selected) rows.push_back(list.GetText(row));
  }
  return rows;
}

int MainWindowTest::RowOf(const ui::ListBox& list, const std::string& text) {
  for (int row = 0; row < list.GetCount(); ++row) {
    if (list.GetText(row) == text) return row;
  }
  ADD_FAILURE() << "no row \"" << text << "\"";
  return -1;
}

void MainWindowTest::Click(int listId, int row) {
  ui::headless::HeadlessListBox* list = Window().List(listId);
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(list->Click(row));
  EXPECT_TRUE(Dlg().OnSelchange(listId));
}

void MainWindowTest::ShowTab(int tab) {
  Window().tabs.SetCurSel(tab);
  EXPECT_TRUE(Dlg().OnSelchange(ui::kIdTabs));
}

}  // namespace varokin::fixtures

#pragma once

#include <QSize>
#include <functional>

#include "app/shellwindow.h"
#include "search/resultlist.h"
#include "text/text.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace qingyou {

class LinkLabel;
class ResultListView;

// The main window: keyword box 编辑框1, search button 按钮1, result list
// 列表框1, mode link 超级链接框1 and the labels 标签1 and 标签2, at their fixed
// places. The handlers come from outside so the window stays wiring only.
class MainWindow final : public ShellWindow {
  Q_OBJECT

 public:
  using SearchHandler = std::function<void(const Text& keyword, ResultList& list)>;
  using PlayHandler = std::function<void(const ResultList& list)>;

  static constexpr QSize kOuterSize{192, 355};

  // `search` runs when 按钮1 is clicked, `play` on a double-click on a line
  // of 列表框1; a press of the left button on the link toggles the mode.
  MainWindow(SearchHandler search, PlayHandler play);

  [[nodiscard]] Text Caption() const;
  void SetCaption(const Text& caption);
  [[nodiscard]] Text LinkText() const;
  void SetLinkText(const Text& text);
  // The text of 编辑框1 as GBK, exactly as typed.
  [[nodiscard]] Text Keyword() const;

  [[nodiscard]] LinkLabel* Link() const { return link1_; }
  [[nodiscard]] QLineEdit* KeywordBox() const { return edit1_; }
  [[nodiscard]] QPushButton* SearchButton() const { return button1_; }
  [[nodiscard]] ResultListView* List() const { return list1_; }

 private:
  SearchHandler search_;
  PlayHandler play_;
  QLabel* label2_;
  LinkLabel* link1_;
  QLabel* label1_;
  QLineEdit* edit1_;
  QPushButton* button1_;
  ResultListView* list1_;
};

}  // namespace qingyou

#include "app/mainwindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/gbk.h"
#include "app/linklabel.h"
#include "app/resultlistview.h"
#include "app/shelltexts.h"
#include "app/toggledisplaymode.h"
#include "text/codepage.h"

namespace qingyou {

namespace {

QLabel* MakeLabel(QWidget* parent, const QString& name, const Text& text, const QRect& place) {
  auto* label = new QLabel(ToQString(text), parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, QColor(128, 128, 255));
  label->setPalette(palette);
  label->setGeometry(place);
  return label;
}

}  // namespace

MainWindow::MainWindow(SearchHandler search, PlayHandler play)
    : ShellWindow(kOuterSize, kTitledWindowFlags),
      search_(std::move(search)),
      play_(std::move(play)) {
  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(ToQString(WindowedCaption()));

  // Made in the layout's order, which is also the order Tab follows.
  label2_ = MakeLabel(this, QStringLiteral("标签2"), ContactLine(), QRect(20, 307, 140, 16));

  link1_ = new LinkLabel(this);
  link1_->setObjectName(QStringLiteral("超级链接框1"));
  link1_->setText(ToQString(ToFloatingLinkText()));
  link1_->setGeometry(45, 3, 52, 16);

  label1_ = MakeLabel(this, QStringLiteral("标签1"), Utf8ToGbk("搜索："), QRect(9, 2, 39, 16));

  edit1_ = new QLineEdit(this);
  edit1_->setObjectName(QStringLiteral("编辑框1"));
  edit1_->setGeometry(8, 21, 88, 20);

  button1_ = new QPushButton(ToQString(Utf8ToGbk("搜索")), this);
  button1_->setObjectName(QStringLiteral("按钮1"));
  // Enter presses no button anywhere in the program.
  button1_->setAutoDefault(false);
  button1_->setDefault(false);
  button1_->setGeometry(104, 6, 80, 32);

  list1_ = new ResultListView(this);
  list1_->setObjectName(QStringLiteral("列表框1"));
  list1_->setGeometry(3, 42, 181, 264);

  connect(button1_, &QPushButton::clicked, this, [this] {
    if (search_) search_(Keyword(), *list1_);
  });
  connect(list1_, &QAbstractItemView::doubleClicked, this, [this] {
    if (play_) play_(*list1_);
  });
  connect(link1_, &LinkLabel::leftPressed, this, [this] { ToggleDisplayMode(*this); });
}

Text MainWindow::Caption() const {
  return ToText(windowTitle());
}

void MainWindow::SetCaption(const Text& caption) {
  setWindowTitle(ToQString(caption));
}

Text MainWindow::LinkText() const {
  return ToText(link1_->text());
}

void MainWindow::SetLinkText(const Text& text) {
  link1_->setText(ToQString(text));
}

Text MainWindow::Keyword() const {
  return ToText(edit1_->text());
}

}  // namespace qingyou

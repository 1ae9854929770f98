// The reference for the Qt program's start-up: a bare dialog with a list, shown at once.
#include <QApplication>
#include <QDialog>
#include <QListWidget>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QDialog dialog;
  dialog.setWindowTitle("Bare Dialog");
  dialog.resize(440, 340);
  auto* list = new QListWidget(&dialog);
  list->setGeometry(10, 10, 400, 200);
  list->addItem("*Original TA*");
  dialog.show();
  return application.exec();
}

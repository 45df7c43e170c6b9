#pragma once
#include <QDialog>
#include <string>
#include <vector>

#include "app/window_session.h"
#include "ui/controls.h"

class QComboBox;
class QLabel;
class QTableWidget;

namespace vdmos::ui {

/// The datasheet curves window: the digitized points of one curve at a time in a two-column
/// table, with Import, Paste, Add Row, Remove Rows and Clear. It holds no curve of its own:
/// every change goes to the window session, which reads it as a digitizer's file is read and
/// refuses it with the reader's message, and the table then shows the session's curve again.
/// Only rows the user is still filling in (a cell of a row left empty, or a new curve's first
/// point) wait in the table until they make a point the session can take.
class CurvesWindow : public QDialog {
  Q_OBJECT
 public:
  CurvesWindow(WindowSession& session, QWidget* parent);

  /// Shows the chosen curve as the session holds it; a table that shows it already, with the
  /// user's rows in progress, is left alone.
  void showCurves();
  const Controls& controls() const { return controls_; }

 signals:
  /// The session's curves changed: the main window shows the new state.
  void changed();

 private:
  /// The chosen curve's name ("ciss", "output:10"); empty while an output curve lacks its VGS.
  std::string curveName() const;
  void showGateVoltages();
  void showHeldKinds();
  void fillTable(const std::vector<CurvePoint>& points);
  /// Hands the table's rows to the session once they can make a curve.
  void takeTable();
  /// After a command on the chosen curve: the table shows the session's curve again.
  void ran(bool curvesChanged);
  void addRow();
  void removeRows();

  WindowSession& session_;
  Controls controls_;
  QComboBox* kind_;
  QComboBox* gate_;
  QTableWidget* table_;
  QLabel* count_;
  std::string shownName_;
  std::vector<CurvePoint> shownPoints_;  // what the table was filled with, to tell a change
};

}  // namespace vdmos::ui

#pragma once
// The arrangement of the main window: the top row and the four pages. Each builder makes
// its controls through the factory, in the order the Tab key should visit them, and lays
// them out so that only the text boxes meant to follow the window's size can grow.

class QWidget;

namespace vdmos::ui {

class ControlFactory;

QWidget* BuildTopRow(ControlFactory& make);
QWidget* BuildDcPage(ControlFactory& make);
QWidget* BuildAcPage(ControlFactory& make);
QWidget* BuildModelPage(ControlFactory& make);
QWidget* BuildLibPage(ControlFactory& make);

}  // namespace vdmos::ui

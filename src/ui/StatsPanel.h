#pragma once
// The deck statistics beside the deck: a bar chart of the whole deck or of
// the layer shown, grouped by a card parameter that the user picks. It shows
// the deck anew at every change.

#include <QWidget>

class QChart;
class QComboBox;
class QLabel;
class TPluginGUI;

class TStatsPanel : public QWidget {
  Q_OBJECT
 public:
  TStatsPanel(TPluginGUI& plugin, QWidget* parent);

  // The parameters of the game just loaded; the one picked before stays
  // picked when the game has it.
  void ShowParameters();
  // The chart of the deck as it is now.
  void Refresh();

  QComboBox* Parameters() const { return parameters_; }
  QComboBox* Scope() const { return scope_; }
  QChart* Chart() const { return chart_; }
  QLabel* Summary() const { return summary_; }

 private:
  TPluginGUI& plugin_;
  QComboBox* parameters_;
  QComboBox* scope_;
  QChart* chart_;
  QLabel* summary_;
};

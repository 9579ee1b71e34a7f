#include "ui/StatsPanel.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "deck/DeckStats.h"
#include "ui/PluginGUI.h"

namespace {

QString Text(std::u16string_view text) { return QString::fromStdU16String(std::u16string(text)); }

}  // namespace

TStatsPanel::TStatsPanel(TPluginGUI& plugin, QWidget* parent)
    : QWidget(parent),
      plugin_(plugin),
      parameters_(new QComboBox(this)),
      scope_(new QComboBox(this)),
      chart_(new QChart),
      summary_(new QLabel(this)) {
  scope_->addItems({tr("デッキ全体"), tr("表示中の領域")});
  chart_->legend()->hide();
  chart_->setMargins(QMargins(2, 2, 2, 2));
  auto* view = new QChartView(chart_, this);  // the view owns the chart
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumSize(160, 160);
  auto* choices = new QFormLayout;
  choices->addRow(tr("項目"), parameters_);
  choices->addRow(tr("範囲"), scope_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 0, 0, 0);
  layout->addLayout(choices);
  layout->addWidget(view, 1);
  layout->addWidget(summary_);
  connect(parameters_, &QComboBox::currentIndexChanged, this, &TStatsPanel::Refresh);
  connect(scope_, &QComboBox::currentIndexChanged, this, &TStatsPanel::Refresh);
}

void TStatsPanel::ShowParameters() {
  const QString picked = parameters_->currentData().toString();
  {
    const QSignalBlocker blocker(parameters_);
    parameters_->clear();
    const TCardParams& params = plugin_.Params();
    for (int32_t i = 0; i < params.Count(); ++i) parameters_->addItem(Text(params.Item(i)->Name()), Text(params.Item(i)->Key()));
    // The parameter picked before, else the first that sorts cards into a few
    // groups (a choice or a number), else the first.
    int index = parameters_->findData(picked);
    for (int32_t i = 0; index < 0 && i < params.Count(); ++i) {
      const int32_t type = params.Item(i)->Type();
      if (type == TCardParamItem::kChoice || type == TCardParamItem::kRange) index = i;
    }
    parameters_->setCurrentIndex(std::max(0, index));
  }
  Refresh();
}

void TStatsPanel::Refresh() {
  chart_->removeAllSeries();
  for (QAbstractAxis* axis : chart_->axes()) {
    chart_->removeAxis(axis);
    delete axis;
  }
  const TCardParamItem* param = plugin_.Params().Find(parameters_->currentData().toString().toStdU16String());
  if (param == nullptr) {
    summary_->clear();
    return;
  }
  const bool oneLayer = scope_->currentIndex() == 1 && plugin_.CurrentLayer() < plugin_.Deck().LayerCount();
  const TDeckStats stats = ComputeDeckStats(plugin_.Deck(), oneLayer ? plugin_.CurrentLayer() : -1, plugin_.Cards(), *param);

  auto* copies = new QBarSet(Text(param->Name()));
  QStringList values;
  int64_t most = 0;
  for (const TStatsGroup& group : stats.groups) {
    *copies << static_cast<qreal>(group.copies);
    values << (group.value.empty() ? tr("（なし）") : Text(group.value));
    most = std::max(most, group.copies);
  }
  auto* series = new QBarSeries;
  series->append(copies);
  chart_->addSeries(series);
  auto* valuesAxis = new QBarCategoryAxis;
  valuesAxis->append(values);
  chart_->addAxis(valuesAxis, Qt::AlignBottom);
  series->attachAxis(valuesAxis);
  // Whole numbers of copies, a tick every few, and room above the highest bar.
  auto* copiesAxis = new QValueAxis;
  const qreal step = std::max<qreal>(1, std::ceil(static_cast<qreal>(most) / 5));
  copiesAxis->setRange(0, std::ceil((static_cast<qreal>(most) + step) / step) * step);
  copiesAxis->setLabelFormat(QStringLiteral("%d"));
  copiesAxis->setTickType(QValueAxis::TicksDynamic);
  copiesAxis->setTickAnchor(0);
  copiesAxis->setTickInterval(step);
  chart_->addAxis(copiesAxis, Qt::AlignLeft);
  series->attachAxis(copiesAxis);
  chart_->setTitle(Text(param->Name()));

  QString summary = tr("%1 枚").arg(stats.copies);
  if (stats.average) summary += tr("　平均 %1").arg(*stats.average, 0, 'f', 2);
  summary_->setText(summary);
}

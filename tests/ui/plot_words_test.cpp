// The model check's plots keep their words at the least size the window allows, at the
// default font and a large one: no axis label, title or curve name is cut short, every curve
// of a family is named once, and no name covers the plot area where the curves run.

#include <QApplication>
#include <QComboBox>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QLineSeries>
#include <QScatterSeries>
#include <QScopeGuard>
#include <QSplitter>

#include "check_helpers.h"
#include "model/control_names.h"
#include "ui_test_registry.h"
#include "verify/check_plots.h"

namespace vdmos::ui::test {
namespace {

bool Elided(const QString& text) { return text.contains(QChar(0x2026)) || text.contains("..."); }

bool RisesAboveZero(QXYSeries* curve) {
  const QList<QPointF> points = curve->points();
  return std::any_of(points.begin(), points.end(), [](const QPointF& p) { return p.y() > 0; });
}

// Each plot in turn, shown at the size it has in the window as it is.
void CheckEveryPlotKeepsItsWords(OpenWindow& w) {
  auto* choice = w.get<QComboBox>("PlotChoice");
  for (int i = 0; i < choice->count(); ++i) {
    choice->setCurrentIndex(i);
    QCoreApplication::processEvents();
    const std::string_view name = CheckPlotKinds()[std::size_t(i)].name;
    CheckPlot* plot = PlotNamed(w, name);
    QVERIFY(plot->isVisible());
    QChart* chart = plot->chart();
    const QString where = QString::fromUtf8(name.data(), qsizetype(name.size())) + " at " +
                          QString::number(plot->width()) + "x" + QString::number(plot->height());
    int titles = 0;
    QList<QRectF> names;
    for (QGraphicsItem* item : plot->scene()->items()) {
      if (!item->isVisible()) continue;
      if (auto* text = dynamic_cast<QGraphicsTextItem*>(item)) {
        QVERIFY2(!Elided(text->toPlainText()), qPrintable(where + ": " + text->toPlainText()));
        titles += text->toPlainText() == chart->title();
      } else if (auto* simple = dynamic_cast<QGraphicsSimpleTextItem*>(item)) {
        const QRectF box = simple->sceneBoundingRect();
        QVERIFY2(!box.intersects(chart->plotArea()),
                 qPrintable(where + ": " + simple->text() + " covers curves"));
        QVERIFY2(std::none_of(names.begin(), names.end(),
                              [&](const QRectF& other) { return other.intersects(box); }),
                 qPrintable(where + ": " + simple->text() + " overlaps another name"));
        names << box;
      }
    }
    QVERIFY2(titles == 1, qPrintable(where + ": the title is not shown whole"));
    // Markers stand whole inside the plot area, also at its edges.
    for (const char* role : {"datasheet", "model point"}) {
      for (QXYSeries* markers : Series(w, std::string(name).c_str(), role)) {
        const qreal half = static_cast<QScatterSeries*>(markers)->markerSize() / 2 - 1;
        const QRectF inside = chart->plotArea().adjusted(half, half, -half, -half);
        for (const QPointF& point : markers->points())
          QVERIFY2(inside.contains(chart->mapToPosition(point, markers)),
                   qPrintable(where + QString(": a marker at %1, %2 is cut").arg(point.x()).arg(point.y())));
      }
    }
    const QList<QXYSeries*> curves = Series(w, std::string(name).c_str(), "model");
    if (curves.size() > 1)
      QCOMPARE(names.size(), std::count_if(curves.begin(), curves.end(), RisesAboveZero));
  }
}

// The window at its least size, and the splitter moved over to leave the plots the least.
void CheckAtTheLeastSize(OpenWindow& w) {
  w.click(control::Command2);
  w.showPageOf(w.window.modelCheckPage());
  w.window.resize(w.window.minimumSizeHint());
  QCoreApplication::processEvents();
  auto* splitter = w.window.modelCheckPage()->findChild<QSplitter*>("CheckSplitter");
  splitter->setSizes({100000, 1});
  QCoreApplication::processEvents();
  CheckEveryPlotKeepsItsWords(w);
}

}  // namespace

class PlotWordsTest : public QObject {
  Q_OBJECT

 private slots:
  void atTheLeastSize() {
    OpenWindow w;
    CheckAtTheLeastSize(w);
  }

  void atTheLeastSizeWithALargeFont() {
    const QFont font = QApplication::font();
    QApplication::setFont(QFont(font.family(), font.pointSize() * 3 / 2));
    const auto restore = qScopeGuard([&] { QApplication::setFont(font); });
    OpenWindow w;
    CheckAtTheLeastSize(w);
  }

  void atTheDefaultSize() {
    OpenWindow w;
    w.click(control::Command2);
    w.showPageOf(w.window.modelCheckPage());
    CheckEveryPlotKeepsItsWords(w);
  }
};

VDMOS_UI_TEST(PlotWordsTest);

}  // namespace vdmos::ui::test

#include "plot_words_test.moc"

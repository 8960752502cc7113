// The F4 menu item of the main window runs the MRP export.
#include "export/mrp_export.h"  // before Qt: the day-file reader has a variable named "slots"

#include <QMessageBox>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include "app/main_window_harness.h"

class MrpMenuTest : public QObject {
    Q_OBJECT

private slots:
    void nothingSelectedShowsTheInformationBox() {
        tripdesk::testing::MainWindowHarness harness;
        harness.show();
        QString shown;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->accept();
            }
        });
        harness.main->dispatch("men_exmrp");
        QCOMPARE(shown, QString::fromUtf8(tripdesk::mrp::kNoSelectedTrips));
        QVERIFY(harness.main->str_grid->isVisible());
    }
};

QTEST_MAIN(MrpMenuTest)
#include "mrp_menu_test.moc"

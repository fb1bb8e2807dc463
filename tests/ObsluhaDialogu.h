#pragma once

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace vantrel::test {

// Runs `spust`, which shows `dialog` modally, while a timer hands the open dialog to `akce`;
// a dialog still open after that is closed by force, so a failing test cannot hang. `zobrazen`
// tells whether the dialog ever opened. Returns what `spust` returns.
template <typename D, typename S>
auto SObsluhou(D& dialog, const std::function<void(D&)>& akce, S spust, bool* zobrazen = nullptr) {
    bool videno = false;
    bool vAkci = false;
    int pokusy = 0;
    QTimer hlidac;
    hlidac.setInterval(5);
    QObject::connect(&hlidac, &QTimer::timeout, [&] {
        if (vAkci || QApplication::activeModalWidget() != &dialog)
            return;
        if (!videno) {
            videno = true;
            vAkci = true;
            // Keys go to the focused widget only once the window is active.
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            akce(dialog);
            vAkci = false;
        } else if (++pokusy > 100) {
            ADD_FAILURE() << "the dialog was left open";
            dialog.done(-1);
        }
    });
    hlidac.start();
    auto vysledek = spust();
    if (zobrazen != nullptr)
        *zobrazen = videno;
    return vysledek;
}

} // namespace vantrel::test

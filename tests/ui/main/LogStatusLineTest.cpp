#include "ui/main/LogStatusLine.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "support/TempDir.h"

namespace quorvane::test {
namespace {

// The error line says what keeps this machine's log and the central log from being written,
// one line each, and goes when both work again; each change is announced once (the tray's
// tool-tip follows it).
TEST(LogStatusLine, ShowsTheLocalAndTheCentralProblemsUntilEachIsGone) {
    TempDir dir;
    dir.write("config/log.db", "");  // there; whether it opens is the log's own word
    LogStatusLine line;
    QSignalSpy changes(&line, &LogStatusLine::problem_changed);

    line.refresh(dir.str(), "");
    EXPECT_TRUE(line.problem().isEmpty());
    EXPECT_TRUE(line.isHidden());

    line.set_central_problem("central log: password authentication failed");
    EXPECT_EQ(line.problem().toStdString(), "Central log: password authentication failed");
    EXPECT_FALSE(line.isHidden());

    line.refresh(dir.str(), "database is locked");
    EXPECT_EQ(line.problem().toStdString(),
              "The log does not record: database is locked\n"
              "Central log: password authentication failed");

    line.set_central_problem("central log: password authentication failed");  // the same
    line.set_central_problem("");
    EXPECT_EQ(line.problem().toStdString(), "The log does not record: database is locked");
    line.refresh(dir.str(), "");
    EXPECT_TRUE(line.problem().isEmpty());
    EXPECT_TRUE(line.isHidden());
    EXPECT_EQ(changes.count(), 4) << "a repeated text is not announced again";
}

}  // namespace
}  // namespace quorvane::test

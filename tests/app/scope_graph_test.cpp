// Tests of the scope: grid and base line, scrolling, positions outside the scale.
#include "app/ScopeGraph.h"
#include "support/QtApplication.h"

#include <gtest/gtest.h>

namespace dm {
namespace {

class ScopeGraphTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::ensureQtApplication("scope_graph_test"); }

    ScopeGraphTest() { scope.resize(89, 65); }

    QRgb at(int x, int y) { return scope.picture().pixel(x, y); }

    ScopeGraph scope;
};

TEST_F(ScopeGraphTest, EmptyScopeHasGridAndBaseLineAt80Percent) {
    EXPECT_EQ(at(1, 1), ScopeGraph::kBackgroundColor);
    EXPECT_EQ(at(0, 64), ScopeGraph::kGridColor); // the bottom row is a grid line
    EXPECT_EQ(at(1, 13), ScopeGraph::kBaseLineColor);
}

TEST_F(ScopeGraphTest, EachUpdateDrawsAtTheRightAndScrollsTwoPixels) {
    scope.setPosition(50);
    scope.updateScope();
    EXPECT_EQ(at(88, 32), ScopeGraph::kTraceColor);
    scope.updateScope();
    scope.setPosition(100);
    scope.updateScope();
    EXPECT_EQ(at(88, 0), ScopeGraph::kTraceColor);
    EXPECT_EQ(at(86, 32), ScopeGraph::kTraceColor);
    EXPECT_EQ(at(84, 32), ScopeGraph::kTraceColor);
    // Left of the trace's start nothing was drawn.
    EXPECT_NE(at(81, 32), ScopeGraph::kTraceColor);
}

TEST_F(ScopeGraphTest, PositionsOutsideTheScaleStayOnTheEdges) {
    scope.setPosition(250);
    scope.updateScope();
    EXPECT_EQ(at(88, 0), ScopeGraph::kTraceColor);
    scope.setPosition(-40);
    scope.updateScope();
    EXPECT_EQ(at(88, 64), ScopeGraph::kTraceColor);
}

} // namespace
} // namespace dm

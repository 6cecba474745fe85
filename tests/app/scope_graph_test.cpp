#include "app/ScopeGraph.h"
#include "support/QtApplication.h"

#include <gtest/gtest.h>

namespace dm {
namespace {

class ScopeGraphTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::EnsureQtApplication("scope_graph_test"); }

    ScopeGraphTest() { scope.resize(89, 65); }

    QRgb At(int x, int y) { return scope.Picture().pixel(x, y); }

    ScopeGraph scope;
};

TEST_F(ScopeGraphTest, EmptyScopeHasGridAndBaseLineAt80Percent) {
    EXPECT_EQ(At(1, 1), ScopeGraph::BackgroundColor);
    EXPECT_EQ(At(0, 64), ScopeGraph::GridColor); // the bottom row is a grid line
    EXPECT_EQ(At(1, 13), ScopeGraph::BaseLineColor);
}

TEST_F(ScopeGraphTest, EachUpdateDrawsAtTheRightAndScrollsTwoPixels) {
    scope.SetPosition(50);
    scope.UpdateScope();
    EXPECT_EQ(At(88, 32), ScopeGraph::TraceColor);
    scope.UpdateScope();
    scope.SetPosition(100);
    scope.UpdateScope();
    EXPECT_EQ(At(88, 0), ScopeGraph::TraceColor);
    EXPECT_EQ(At(86, 32), ScopeGraph::TraceColor);
    EXPECT_EQ(At(84, 32), ScopeGraph::TraceColor);
    // Left of the trace's start nothing was drawn.
    EXPECT_NE(At(81, 32), ScopeGraph::TraceColor);
}

TEST_F(ScopeGraphTest, PositionsOutsideTheScaleStayOnTheEdges) {
    scope.SetPosition(250);
    scope.UpdateScope();
    EXPECT_EQ(At(88, 0), ScopeGraph::TraceColor);
    scope.SetPosition(-40);
    scope.UpdateScope();
    EXPECT_EQ(At(88, 64), ScopeGraph::TraceColor);
}

} // namespace
} // namespace dm

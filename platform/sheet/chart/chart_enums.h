#pragma once

// The chart object model's enumerations, with the host's own numbers so that code driving the
// model reads with the numbers the component was written with. Only the members the component
// sets are listed.
namespace fb::sheet {

enum class ChartType {
  ColumnClustered = 51,
  BarClustered = 57,
  LineMarkers = 65,
  XYScatterLinesNoMarkers = 74,
};

// Where Chart::location puts a chart.
enum class ChartLocation { NewSheet = 1, AsObject = 2 };

enum class PlotBy { Rows = 1, Columns = 2 };

enum class AxisType { CategoryAxis = 1, ValueAxis = 2 };
enum class AxisGroup { Primary = 1, Secondary = 2 };

enum class TickMark { None = -4142, Inside = 2, Outside = 3, Cross = 4 };
enum class TickLabelPosition { None = -4142, NextToAxis = 4, High = -4127, Low = -4134 };
enum class AxisCrosses { Automatic = -4105, Custom = -4114, Maximum = 2, Minimum = 4 };
enum class ScaleType { Linear = -4132, Logarithmic = -4133 };
enum class DisplayUnit { None = -4142, Hundreds = -2, Thousands = -3 };
enum class CategoryType { Automatic = -4105, Category = 2, Time = 3 };

enum class MarkerStyle { Automatic = -4105, None = -4142, Square = 1, Diamond = 2 };
// DataLabels.Position beside a line or scatter point (its default is to the right).
enum class DataLabelPosition { Right = -4152, Left = -4131 };

enum class ErrorBarDirection { X = -4168, Y = 1 };
enum class ErrorBarInclude { Both = 1, Plus = 2, Minus = 3, None = -4142 };
enum class ErrorBarType { FixedValue = 1, Percent = 2, StDev = -4155, StError = 4, Custom = -4114 };
enum class ErrorBarEndStyle { Cap = 1, NoCap = 2 };

// Text orientation of titles: an angle in degrees (-90 to 90) or one of these.
enum class TextOrientation {
  Horizontal = -4128,
  Vertical = -4166,
  Upward = -4171,
  Downward = -4170
};

// The Office fill patterns the component uses (the host's list has 48).
enum class OfficePattern {
  Percent50 = 7,
  LightHorizontal = 19,
  SmallGrid = 23,
  LargeGrid = 34,
};
enum class GradientStyle { Horizontal = 1, Vertical = 2, DiagonalUp = 3, DiagonalDown = 4 };

// Shape.ScaleWidth / ScaleHeight: which corner stays put.
enum class ScaleFrom { TopLeft = 0, Middle = 1, BottomRight = 2 };

// Shape.Placement.
enum class Placement { MoveAndSize = 1, Move = 2, FreeFloating = 3 };

}  // namespace fb::sheet

#pragma once

// The object model's enumerations. Every value is the host's own number, so code that drives the
// model reads with the numbers the component was written with.
namespace fb::sheet {

enum class Calculation { Automatic = -4105, Manual = -4135, SemiAutomatic = 2 };

enum class Direction { Up = -4162, Down = -4121, ToLeft = -4159, ToRight = -4161 };

enum class InsertShift { Down = -4121, ToRight = -4161 };
enum class DeleteShift { Up = -4162, ToLeft = -4159 };

enum class PasteType {
  All = -4104,
  Formulas = -4123,
  Values = -4163,
  Formats = -4122,
};

enum class PasteOperation { None = -4142, Add = 2, Subtract = 3, Multiply = 4, Divide = 5 };

enum class SortOrder { Ascending = 1, Descending = 2 };
enum class SortHeader { Guess = 0, Yes = 1, No = 2 };
enum class SortOrientation { Rows = 2, Columns = 1 };  // xlSortRows sorts left to right
enum class SortMethod { PinYin = 1, Stroke = 2 };
enum class SortDataOption { Normal = 0, TextAsNumbers = 1 };

enum class AutoFillType { Default = 0, Copy = 1, Series = 2 };

enum class WindowState { Maximized = -4137, Minimized = -4140, Normal = -4143 };

// A sheet's Visible: shown as a tab, hidden (the user may unhide it), or very hidden (only code
// can show it again).
enum class SheetVisibility { Visible = -1, Hidden = 0, VeryHidden = 2 };

enum class BorderIndex {
  EdgeLeft = 7,
  EdgeTop = 8,
  EdgeBottom = 9,
  EdgeRight = 10,
  InsideVertical = 11,
  InsideHorizontal = 12,
};

enum class LineStyle { None = -4142, Continuous = 1, Dash = -4115, Dot = -4118, Double = -4119 };
enum class BorderWeight { Hairline = 1, Thin = 2, Medium = -4138, Thick = 4 };

enum class HorizontalAlignment {
  General = 1,
  Left = -4131,
  Center = -4108,
  Right = -4152,
  Justify = -4130,
};
enum class VerticalAlignment { Top = -4160, Center = -4108, Bottom = -4107, Justify = -4130 };

// A text frame's AutoSize: the frame keeps its size and the text may overflow it, or the text
// shrinks until it fits the frame. (The host's third choice, the frame growing to its text, is not
// offered: nothing here asks for it.)
enum class TextAutoSize { None = 0, TextToFitShape = 2 };

enum class ReadingOrder { Context = -5002, LeftToRight = -5003, RightToLeft = -5004 };

enum class Pattern { None = -4142, Solid = 1, Gray50 = -4125, Gray25 = -4124 };

// The colour index that means "automatic" (font, border) or "none" (interior).
inline constexpr int kColorIndexAutomatic = -4105;
inline constexpr int kColorIndexNone = -4142;

enum class ReferenceStyle { A1 = 1, R1C1 = -4150 };

// Application.EnableCancelKey.
enum class CancelKey { Disabled = 0, Interrupt = 1, ErrorHandler = 2 };

}  // namespace fb::sheet

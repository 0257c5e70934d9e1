#pragma once
// The 42-cell month grid shared by the calendar window and the date picker.

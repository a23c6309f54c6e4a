#pragma once
// Field exchange between a dialog's members and its controls, found by control id.
//
// A dialog's DoDataExchange lists its fields once; the same list fills the controls from
// the members (UpdateData(false), when the dialog opens) and reads them back with their
// checks (UpdateData(true), on OK):
//
//   void DoDataExchange(DataExchange& dx) override
//   {
//       dx.Text(1031, m_year);
//       dx.Range(m_year, 1950, 2100);   // checks the field exchanged just before
//       dx.Radio(1047, m_mode);         // index in the group's order, -1 for none
//   }
//
// A text that is not a number, or a value out of its range, shows a message, puts the
// focus on the control and stops the exchange: UpdateData returns false and the members
// read so far keep their new values.
#include <string>

class ControlHost;
class QWidget;

class DataExchange {
public:
    DataExchange(ControlHost& host, bool saveAndValidate);

    // True while reading the controls into the members.
    bool IsSaving() const { return saving_; }

    // Edit boxes and statics. Numbers are written and read in the C form (".": decimal
    // point); doubles with up to 15 significant digits. An int field accepts a sign and
    // blanks around the digits.
    void Text(int id, int& value);
    void Text(int id, double& value);
    void Text(int id, std::string& value);
    // Check boxes: 0 unchecked, 1 checked, 2 undetermined.
    void Check(int id, int& value);
    // A radio group given by one of its buttons: the index of the checked button counted
    // from that button in the group's order; -1 when none is checked.
    void Radio(int firstId, int& index);
    // Combo boxes: the selected index (-1 none) or text; list boxes: the selected row.
    void ComboIndex(int id, int& index);
    void ComboString(int id, std::string& text);
    void ListIndex(int id, int& index);

    // Checks of the field exchanged last, when saving.
    void Range(int value, int min, int max);
    void Range(double value, double min, double max);
    // Also limits the edit to that many characters when filling it.
    void MaxChars(const std::string& value, int count);

    // Puts the focus on the field exchanged last and stops the exchange.
    [[noreturn]] void Fail();

    // The control of that id, remembered as the field for the next check; null (and a
    // trace line) when the dialog has no such control.
    QWidget* PrepareControl(int id);

    // Parsing of the number forms of Text; false for anything else.
    static bool ParseInt(const std::string& text, int& value);
    static bool ParseDouble(const std::string& text, double& value);
    static std::string FormatDouble(double value);

private:
    [[noreturn]] void FailWithMessage(const std::string& message);

    ControlHost& host_;
    bool saving_;
    QWidget* last_ = nullptr;
};

// Thrown by DataExchange::Fail; UpdateData catches it.
struct DataExchangeFailure {};

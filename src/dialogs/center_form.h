#pragma once

namespace quellix {

class Form;

// Centres the form across the monitor its owner is on, with 40 % of the free height above it. A form larger than
// the monitor gets a negative position. Errors are ignored: a form that is not loaded stays where it is.
void CenterForm(Form& form);

}  // namespace quellix

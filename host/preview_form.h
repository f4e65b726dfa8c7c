#pragma once
#include <string>

// Shows the still preview picture inside the Display Properties' preview
// area whose handle follows the mode letter; the program ends when the form
// goes away, including when the area's owner destroys it.
void StartPreview(const std::string& arguments);

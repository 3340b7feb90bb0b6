// The links of a page: naming, filtering, listing and rewriting each link,
// and the search of a saved page.

#include "transfer/FormHTTP.h"

void FormHTTP::InlineNamen() {}
void FormHTTP::Auswerten() {}
void FormHTTP::AuswertenMap() {}

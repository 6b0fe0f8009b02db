// The program's pages in the page registry: registered at start-up in the
// order introduction, desktop, PocketPC, troubleshooting, and removed in
// the reverse order at the end.
#pragma once

void RegisterTweakerPages();
void UnregisterTweakerPages();

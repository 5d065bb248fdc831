#include "memory_form_site.h"

CDialogPage& CMemoryFormSite::CreatePage(const DialogTemplate& dialog, IPageListener& listener) {
    page = std::make_unique<CMemoryPage>(dialog);
    page->SetListener(&listener);
    return *page;
}

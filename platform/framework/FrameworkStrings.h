#pragma once
// Standard English texts of the framework's messages.

#define AFX_IDS_UNTITLED "Untitled"
#define AFX_IDP_ASK_TO_SAVE "Save changes to %1?"
#define AFX_IDP_FAILED_TO_OPEN_DOC "Failed to open document."
#define AFX_IDP_FAILED_TO_SAVE_DOC "Failed to save document."
#define AFX_IDP_FAILED_TO_CREATE_DOC "Failed to create empty document."
#define AFX_IDP_FILE_TOO_LARGE "The file is too large to open."
#define AFX_IDP_FILE_NOT_FOUND                                                                     \
    "%1\nCannot find this file.\nPlease verify that the correct path and file name are given."
#define AFX_IDP_FILE_ACCESS_DENIED "%1\nAccess to %1 was denied."
#define AFX_IDP_PARSE_INT "Please enter an integer."
#define AFX_IDP_PARSE_STRING_SIZE "Please enter no more than %1 characters."
#define AFX_IDP_FAILED_IO_ERROR_WRITE "An unexpected error occurred while writing %1."
#define AFX_IDP_FILE_CHANGED_ON_DISK                                                               \
    "%1\nThis file has been changed by another program since it was opened or saved.\n"            \
    "Do you want to replace it with this document?"

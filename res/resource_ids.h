// Ids of the program's resources, shared by mimoruka.rc and the code.
#pragma once

#define IDI_MIMORUKA 1

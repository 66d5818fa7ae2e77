#include "app/Plw2win.h"

int main(int argc, char** argv) { return korvo::RunPlw2win(argc, argv); }

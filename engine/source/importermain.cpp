#include "modelimport.h"

int main()
{
    return RunModelImports();
}

/* Reads analog input 0 and switches logic output 2 on while it is above 0.5 V. */
#include <novra3.h>
#include <stdio.h>

int main(void) {
    double volts = stdead(0);
    printf("%s : %.3f V\n", stdnea(0), volts);
    stdsb(2, volts > 0.5 ? 1 : 0);
    printf("%s : %d\n", stdnsb(2), stdrsb(2));
    return 0;
}

[AC Analysis]
{
   Npanes: 1
   {
      traces: 3 {4,0,"V(coss)/1V"} {65539,0,"V(crss)/1V"} {65538,0,"V(ciss)/1V"}
      X: (' ',0,0,3,25)
      Y[0]: ('n',0,0,1e-009,1.6e-008)
      Y[1]: (' ',3,-100,20,100)
      Volts: ('n',0,0,0,-6e-009,2e-009,2e-008)
      Log: 0 0 0
      GridStyle: 1
      PltMag: 1
   }
}


[Transient Analysis]
{
   Npanes: 1
   {
      traces: 1 {268959747,0," V(gs)"}
      Parametric: " V(qg)/1V*1A*1s" 
      X: ('n',0,0,1e-008,1.4e-007)
      Y[0]: (' ',0,0,2,16)
      Y[1]: ('_',0,1e+308,0,-1e+308)
      Volts: (' ',0,0,0,0,2,16)
      Log: 0 0 0
      GridStyle: 1
   }
}

[Transient Analysis]
{
   Npanes: 1
   {
      traces: 1 {303038466,0," Id(M1)"}
      Parametric: " v(d)" 
      X: (' ',0,0,3,27)
      Y[0]: (' ',0,0,10,150)
      Y[1]: (' ',0,1e+308,10,-1e+308)
      Amps: (' ',0,0,0,0,10,150)
      Log: 0 0 0
      GridStyle: 1
   }
}

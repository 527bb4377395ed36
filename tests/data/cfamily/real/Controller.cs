// Controller.cs - the orders controller of a small web service.
using System;
using System.Collections.Generic;
using System.Linq;
using System.Threading.Tasks;

namespace Shop.Web.Controllers
{
    /// <summary>Handles the order endpoints.</summary>
    [ApiController]
    [Route("api/[controller]")]
    public class OrdersController : ControllerBase
    {
        private readonly IOrderRepository _orders;
        private readonly ILogger<OrdersController> _log;
        private static readonly object Gate = new object();

        public OrdersController(IOrderRepository orders, ILogger<OrdersController> log)
        {
            _orders = orders ?? throw new ArgumentNullException(nameof(orders));
            _log = log;
        }

        #region Queries

        [HttpGet]
        public async Task<IActionResult> List(int page = 1, int size = 20)
        {
            if (page < 1 || size < 1 || size > 100)
            {
                return BadRequest("page and size must be positive, size at most 100");
            }
            var items = await _orders.PageAsync(page, size);
            return Ok(items.Select(ToDto));
        }

        [HttpGet("{id:int}")]
        public async Task<IActionResult> Get(int id)
        {
            var order = await _orders.FindAsync(id);
            return order is null ? NotFound() : Ok(ToDto(order));
        }

        #endregion

        #region Commands

        [HttpPost]
        public async Task<IActionResult> Create([FromBody] CreateOrder request)
        {
            if (!ModelState.IsValid)
                return BadRequest(ModelState);
            using (var scope = _log.BeginScope("create {Customer}", request.Customer))
            {
                var order = new Order(request.Customer, request.Lines.Select(l => new OrderLine(l.Sku, l.Count)));
                lock (Gate)
                {
                    order.Number = NextNumber();
                }
                await _orders.AddAsync(order);
                _log.LogInformation(@"Created order {Number} at C:\orders\", order.Number);
                return CreatedAtAction(nameof(Get), new { id = order.Id }, ToDto(order));
            }
        }

        [HttpDelete("{id:int}")]
        public async Task<IActionResult> Cancel(int id)
        {
            var order = await _orders.FindAsync(id);
            switch (order?.State)
            {
                case null:
                    return NotFound();
                case OrderState.Shipped:
                    return Conflict("shipped orders cannot be cancelled");
                default:
                    order.State = OrderState.Cancelled;
                    await _orders.UpdateAsync(order);
                    return NoContent();
            }
        }

        #endregion

        private static int _last;

        private static int NextNumber() => ++_last;

        private static OrderDto ToDto(Order order)
        {
            checked
            {
                var total = order.Lines.Sum(l => l.Count * l.Price);
                return new OrderDto
                {
                    Id = order.Id,
                    Number = order.Number,
                    Total = total,
                    Summary = $"{order.Lines.Count()} lines, {total:C}",
                };
            }
        }
    }

    public sealed class OrderDto
    {
        public int Id { get; set; }
        public int Number { get; set; }
        public decimal Total { get; set; }
        public string Summary { get; set; } = "";
    }

    internal static class Extensions
    {
        public static IEnumerable<T> NotNull<T>(this IEnumerable<T?> items) where T : class
        {
            foreach (var item in items)
            {
                if (item != null)
                    yield return item;
            }
        }

        public static string Describe(this Order order)
        {
            var text = @"Order ""{0}""
spans two lines";
            return string.Format(text, order.Number);
        }
    }
}
